#pragma once
// A temporary folder in which tests run Debian's lhasa, an LHA reader
// written independently of ours, on the archives we produce.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vistrane::testing_lhasa {

class LhasaFolder {
 public:
  LhasaFolder();
  ~LhasaFolder();
  LhasaFolder(const LhasaFolder&) = delete;
  LhasaFolder& operator=(const LhasaFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  std::vector<std::uint8_t> Read(const std::string& name) const;
  // "lhasa <arguments>" run in the folder: its exit code, and its output
  // (both streams) in `output`.
  int Run(const std::string& arguments, std::string& output) const;

 private:
  std::filesystem::path path_;
};

// Whether lhasa can be run at all (scripts/setup installs it).
bool LhasaInstalled();

}  // namespace vistrane::testing_lhasa
