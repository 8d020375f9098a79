#include "tests/unit/mailsend/unlha32/lhasa_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vistrane::testing_lhasa {
namespace {

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace

LhasaFolder::LhasaFolder() {
  static std::atomic<int> counter{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name =
      info == nullptr ? "lhasa" : std::string(info->test_suite_name()) + "." + info->name();
  path_ = std::filesystem::path(::testing::TempDir()) /
          ("vistrane-" + name + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

LhasaFolder::~LhasaFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void LhasaFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + (path_ / name).string());
}

std::vector<std::uint8_t> LhasaFolder::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + (path_ / name).string());
  return {std::istreambuf_iterator<char>(in), {}};
}

int LhasaFolder::Run(const std::string& arguments, std::string& output) const {
  const std::string command = "cd " + Quoted(path_) + " && lhasa " + arguments + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run: " + command);
  output.clear();
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
    output.append(buffer.data(), n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool LhasaInstalled() { return std::system("command -v lhasa >/dev/null 2>&1") == 0; }

}  // namespace vistrane::testing_lhasa
