// UnLHA32.dll as the mail sender meets it: loaded by name, "Unlha" bound by
// name, called with an ANSI command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "mailsend/unlha32/crc16.h"
#include "platform/file_system.h"
#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "shared/little_endian.h"

namespace vistrane {
namespace {

using UnlhaFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow += static_cast<char>(c);  // the test paths are ASCII
  return narrow;
}

std::vector<std::uint8_t> ReadAll(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) ThrowLastError(L"CreateFileW (test read)");
  std::vector<std::uint8_t> bytes(GetFileSize(file.get(), nullptr));
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    ThrowLastError(L"ReadFile (test read)");
  return bytes;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!find) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileW(find.get(), &found));
  return names;
}

// A fresh folder with a space in its name, as the command line quotes it.
class UnlhaDllTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    folder_ = std::wstring(temp) + L"vistrane unlha " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    library_.reset(LoadLibraryW(L"UnLHA32.dll"));
    ASSERT_TRUE(library_) << "UnLHA32.dll not found beside the test runner";
    unlha_ = reinterpret_cast<UnlhaFunction>(reinterpret_cast<void*>(GetProcAddress(library_.get(), "Unlha")));
    ASSERT_NE(unlha_, nullptr);
  }
  void TearDown() override {
    for (const std::wstring& name : FilesIn(folder_)) DeleteFileW((folder_ + L"\\" + name).c_str());
    EXPECT_TRUE(RemoveDirectoryW(folder_.c_str()));
  }

  int Run(const std::string& command_line, std::string& output, DWORD output_size = 1024) {
    output.assign(output_size + 1, '#');
    const int result = unlha_(nullptr, command_line.c_str(), output.data(), output_size);
    EXPECT_EQ(output[output_size], '#') << "wrote past the output buffer";
    const std::size_t end = output.find('\0');
    EXPECT_LT(end, static_cast<std::size_t>(output_size)) << "output not terminated";
    output.resize(end == std::string::npos ? 0 : end);
    return result;
  }

  std::wstring folder_;
  UniqueHmodule library_;
  UnlhaFunction unlha_ = nullptr;
};

TEST_F(UnlhaDllTest, PacksTheMailSendersBitmapIntoALevel2Lh5Archive) {
  std::vector<std::uint8_t> bitmap(200000);
  for (std::size_t i = 0; i < bitmap.size(); ++i) bitmap[i] = static_cast<std::uint8_t>((i / 3) % 640 < 320 ? 0xF0 : i % 7);
  const std::wstring image = folder_ + L"\\VstrnML-090507.bmp";
  WriteWholeFile(image, bitmap.data(), bitmap.size());
  FILETIME written{};
  {
    UniqueFile file(CreateFileW(image.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    ASSERT_TRUE(GetFileTime(file.get(), nullptr, nullptr, &written));
  }
  const std::string folder = Narrow(folder_);
  const std::string command = "u -a1 -r2 -x1 -o2 \"" + folder + "\\VstrnML-090507\" \"" + folder + "\\\" \"" +
                              folder + "\\VstrnML-090507.bmp\"";

  std::string output;
  ASSERT_EQ(Run(command, output), 0) << output;
  const std::vector<std::uint8_t> archive = ReadAll(folder_ + L"\\VstrnML-090507.lzh");
  ASSERT_GT(archive.size(), 40u);
  ASSERT_LT(archive.size(), bitmap.size() / 4);
  EXPECT_EQ(std::string(archive.begin() + 2, archive.begin() + 7), "-lh5-");
  EXPECT_EQ(archive[20], 2);
  EXPECT_EQ(GetU32(&archive[11]), bitmap.size());
  EXPECT_EQ(GetU16(&archive[21]), Crc16(bitmap));
  const std::uint64_t ticks = static_cast<std::uint64_t>(written.dwHighDateTime) << 32 | written.dwLowDateTime;
  EXPECT_EQ(GetU32(&archive[15]), (ticks - 116444736000000000u) / 10000000u);
  const std::size_t name_at = 32;  // after the fixed part and the header-CRC extension
  EXPECT_EQ(std::string(archive.begin() + name_at, archive.begin() + name_at + 18), "VstrnML-090507.bmp");
  EXPECT_EQ(archive.back(), 0);
  // Nothing but the bitmap and the archive: the temporary file is gone.
  EXPECT_EQ(FilesIn(folder_).size(), 2u);
  // Packed again, the archive is replaced by one of the same bytes, through
  // a temporary file that is gone again.
  ASSERT_EQ(Run(command, output), 0) << output;
  EXPECT_EQ(ReadAll(folder_ + L"\\VstrnML-090507.lzh"), archive);
  EXPECT_EQ(FilesIn(folder_).size(), 2u);
}

// The reasons are Japanese: in a code page without Japanese only their
// ASCII parts (the names they quote) pass, so those are what is checked.
TEST_F(UnlhaDllTest, ReportsFailuresWithAReasonInsideTheBuffer) {
  const std::string folder = Narrow(folder_);
  struct Case {
    const char* what;
    std::string command;
    int expected;
    std::string reason_part;
  };
  const Case cases[] = {
      {"unknown command", "xq \"" + folder + "\\a\"", 1, "xq"},
      {"unknown option", "u -gm \"" + folder + "\\a\" \"" + folder + "\\b.bmp\"", 1, "-gm"},
      {"missing file", "u \"" + folder + "\\a\" \"" + folder + "\\\" \"" + folder + "\\gone.bmp\"", 2,
       "gone.bmp"},
      {"archive in a missing folder",
       "u \"" + folder + "\\no such\\a\" \"" + folder + "\\\" \"" + folder + "\\present.bin\"", 2,
       "no such\\a.lzh"},
  };
  const std::wstring present = folder_ + L"\\present.bin";
  WriteWholeFile(present, "data", 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string output;
    EXPECT_EQ(Run(c.command, output), c.expected);
    EXPECT_NE(output.find(c.reason_part), std::string::npos) << output;
  }
  EXPECT_EQ(FilesIn(folder_).size(), 1u) << "a failed command left a file behind";
}

TEST_F(UnlhaDllTest, CutsTheReasonToTheBuffer) {
  std::string whole;
  ASSERT_EQ(Run("x y", whole), 1);
  std::string cut;
  EXPECT_EQ(Run("x y", cut, 8), 1);
  EXPECT_FALSE(cut.empty());
  EXPECT_EQ(whole.compare(0, cut.size(), cut), 0) << cut;
  EXPECT_EQ(Run("x y", cut, 1), 1);
  EXPECT_EQ(cut, "");
}

TEST_F(UnlhaDllTest, SurvivesNullArguments) {
  EXPECT_EQ(unlha_(nullptr, nullptr, nullptr, 0), 1);
  char output[16];
  EXPECT_EQ(unlha_(nullptr, nullptr, output, sizeof output), 1);
  EXPECT_NE(std::strlen(output), 0u);
  EXPECT_EQ(unlha_(nullptr, "x y", nullptr, 1024), 1);
}

}  // namespace
}  // namespace vistrane
