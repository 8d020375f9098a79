#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0) ThrowLastError(L"GetTempPathW");
  return folder;  // ends with a backslash
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowLastError(L"CreateFileW (test read)");
  std::vector<unsigned char> bytes;
  unsigned char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) {
    bytes.insert(bytes.end(), chunk, chunk + read);
  }
  return bytes;
}

// Every test gets a fresh folder under the temporary folder and leaves
// nothing behind.
class FileSystemTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)); }
  void TearDown() override {
    for (const auto* name : {L"\\a.bin", L"\\locked.bin", L"\\sub"}) {
      const std::wstring path = folder_ + name;
      DeleteFileW(path.c_str());
      RemoveDirectoryW(path.c_str());
    }
    EXPECT_TRUE(RemoveDirectoryW(folder_.c_str())) << "a test left a file behind";
  }

  const std::wstring folder_ =
      TempFolder() + L"vistrane_fs_" + std::to_wstring(GetCurrentProcessId());
};

TEST_F(FileSystemTest, WriteWholeFileWritesExactlyTheBytes) {
  std::vector<unsigned char> large(3 * 1024 * 1024 + 7);
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<unsigned char>(i * 31);
  const struct {
    const char* name;
    std::vector<unsigned char> bytes;
  } cases[] = {
      {"empty", {}},
      {"with NUL bytes", {'B', 'M', 0, 0, 0xFF, 0}},
      {"several megabytes", large},
  };
  const std::wstring path = folder_ + L"\\a.bin";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteWholeFile(path, c.bytes.data(), c.bytes.size());
    EXPECT_EQ(ReadWholeFile(path), c.bytes);
  }
  // The last write replaced a longer file with a shorter one.
  const unsigned char shorter[] = {1, 2, 3};
  WriteWholeFile(path, shorter, sizeof(shorter));
  EXPECT_EQ(ReadWholeFile(path), std::vector<unsigned char>(shorter, shorter + 3));
}

TEST_F(FileSystemTest, WriteIntoAMissingFolderThrowsAndLeavesNoFile) {
  const std::wstring path = folder_ + L"\\sub\\a.bin";
  const unsigned char bytes[] = {1, 2};
  try {
    WriteWholeFile(path, bytes, sizeof(bytes));
    FAIL() << "expected Win32Error";
  } catch (const Win32Error& error) {
    EXPECT_EQ(error.code(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_NE(error.operation().find(L"CreateFileW"), std::wstring::npos);
    EXPECT_NE(error.operation().find(path), std::wstring::npos);
  }
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(PathExists(folder_ + L"\\sub"));
}

// A file that could not be opened is somebody else's: it must survive.
TEST_F(FileSystemTest, FileInUseIsNeitherReplacedNorDeleted) {
  const std::wstring path = folder_ + L"\\locked.bin";
  const unsigned char original[] = {9, 9, 9};
  WriteWholeFile(path, original, sizeof(original));
  {
    const UniqueFile holder(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    const unsigned char replacement[] = {1};
    EXPECT_THROW(WriteWholeFile(path, replacement, sizeof(replacement)), Win32Error);
    EXPECT_THROW(DeleteFileIfExists(path), Win32Error);
  }
  EXPECT_EQ(ReadWholeFile(path), std::vector<unsigned char>(original, original + 3));
}

TEST_F(FileSystemTest, PathExistsAnswersForFoldersAndFiles) {
  const std::wstring file = folder_ + L"\\a.bin";
  WriteWholeFile(file, "x", 1);
  const struct {
    std::wstring path;
    bool exists;
  } cases[] = {
      {L"C:\\", true},
      {L"Z:\\", true},
      // A drive root is never created, so it counts as existing even when
      // the drive is not there.
      {L"Q:\\", true},
      {folder_, true},
      {folder_ + L"\\", true},
      {file, true},
      {folder_ + L"\\sub", false},
      {L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "path " << testing::PrintToString(c.path));
    EXPECT_EQ(PathExists(c.path), c.exists);
  }
}

TEST_F(FileSystemTest, CreateFolderCreatesOneLevel) {
  const std::wstring sub = folder_ + L"\\sub";
  CreateFolder(sub);
  EXPECT_TRUE(PathExists(sub));
  EXPECT_THROW(CreateFolder(sub), Win32Error) << "already there";
  EXPECT_THROW(CreateFolder(sub + L"\\deeper\\deepest"), Win32Error) << "parent missing";
}

TEST_F(FileSystemTest, DeleteFileIfExistsToleratesAMissingFile) {
  const std::wstring path = folder_ + L"\\a.bin";
  EXPECT_NO_THROW(DeleteFileIfExists(path));
  EXPECT_NO_THROW(DeleteFileIfExists(folder_ + L"\\sub\\a.bin"));
  WriteWholeFile(path, "x", 1);
  DeleteFileIfExists(path);
  EXPECT_FALSE(FileExists(path));
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningProgram) {
  const std::wstring folder = ProgramFolder();
  ASSERT_GE(folder.size(), 3u);
  EXPECT_TRUE(PathExists(folder));
  if (folder.size() > 3) {
    EXPECT_NE(folder.back(), L'\\');
  }
  EXPECT_TRUE(FileExists(folder + L"\\vistrane_windows_tests.exe"));
  EXPECT_EQ(ProgramFilePath(L"vistrane_windows_tests.exe"), folder + L"\\vistrane_windows_tests.exe");
}

}  // namespace
}  // namespace vistrane
