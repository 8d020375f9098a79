// UnlhaArchiver over the UnLHA32.dll beside the test runner, with the command
// lines the mail sender builds: the archive appears under exactly the archive
// name the command gives, and a failure carries the archiver's own reason.
#include "mailsend/unlha_archiver_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "mailsend/archiver_command.h"
#include "platform/file_system.h"

namespace vistrane {
namespace {

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A fresh output folder whose name needs quoting on the command line.
class UnlhaArchiverTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    folder_ = std::wstring(temp) + L"vistrane mail " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    for (const auto& path : {image_, archive_}) DeleteFileIfExists(path);
    EXPECT_TRUE(RemoveDirectoryW(folder_.c_str()));
  }

  std::wstring folder_;
  std::wstring image_;
  std::wstring archive_;
};

TEST_F(UnlhaArchiverTest, PacksTheImageIntoTheArchiveBesideIt) {
  image_ = folder_ + L"\\scr.v1ML-090507.bmp";  // a base name with a dot
  const char bytes[] = "BM not much of a bitmap, but a file to pack";
  WriteWholeFile(image_, bytes, sizeof(bytes));
  const ArchiverCommand command = BuildArchiverCommand(image_);
  archive_ = command.archiveName;

  UnlhaArchiver archiver;
  archiver.Unlha(command.commandLine);
  EXPECT_EQ(archive_, folder_ + L"\\scr.v1ML-090507.lzh");
  EXPECT_TRUE(FileExists(archive_));
  EXPECT_TRUE(FileExists(image_)) << "the archiver took the image away";
}

TEST_F(UnlhaArchiverTest, AFailureCarriesTheArchiversOwnReason) {
  image_ = folder_ + L"\\gone-090507.bmp";  // never written
  const ArchiverCommand command = BuildArchiverCommand(image_);
  archive_ = command.archiveName;

  UnlhaArchiver archiver;
  try {
    archiver.Unlha(command.commandLine);
    ADD_FAILURE() << "packing a missing file succeeded";
  } catch (const ArchiveFailed& failure) {
    EXPECT_NE(failure.reason().find(L"gone-090507.bmp"), std::wstring::npos)
        << "the reason does not name the file: " << testing::PrintToString(failure.reason());
  }
  EXPECT_FALSE(FileExists(archive_));
}

}  // namespace
}  // namespace vistrane
