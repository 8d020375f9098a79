#include "resident/settings_dialog/output_folder.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

using Roots = std::vector<std::wstring>;

bool FixedCAndE(const std::wstring& root) { return root == L"C:\\" || root == L"E:\\"; }

TEST(FixedDriveList, ListsFixedDrivesInLetterOrderAndSelectsOnlyAListedDrive) {
  struct Case {
    const wchar_t* drive;
    std::optional<std::size_t> selected;
  };
  const Case cases[] = {
      {L"E:\\", 1},
      {L"C:\\", 0},
      {L"N:\\", std::nullopt},  // a network drive the program was started from
      {L"c:\\", std::nullopt},  // compared exactly
      {L"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.drive)));
    const DriveList list = FixedDriveList(FixedCAndE, c.drive);
    EXPECT_EQ(list.roots, (Roots{L"C:\\", L"E:\\"}));
    EXPECT_EQ(list.selected, c.selected);
  }
}

TEST(ChooseDrive, AnotherDriveBecomesDriveAndFolderTheSameOneChangesNothing) {
  SettingsRecord record;
  record.Drive = L"C:\\";
  record.DirName = L"C:\\VstrnTmp";
  EXPECT_FALSE(ChooseDrive(record, L"C:\\"));
  EXPECT_EQ(record.DirName, L"C:\\VstrnTmp");
  EXPECT_TRUE(ChooseDrive(record, L"D:\\"));
  EXPECT_EQ(record.Drive, L"D:\\");
  EXPECT_EQ(record.DirName, L"D:\\");
}

TEST(FolderListStartFor, ShowsTheFolderTheFilesFolderOrTheFirstFixedDrive) {
  const Roots drives{L"C:\\", L"E:\\"};
  struct Case {
    const wchar_t* dirName;
    PathKind kind;
    Roots drives;
    const wchar_t* path;
    bool isDirName;
  };
  const Case cases[] = {
      {L"C:\\VstrnTmp", PathKind::Folder, drives, L"C:\\VstrnTmp", true},
      {L"C:\\VstrnTmp\\", PathKind::Folder, drives, L"C:\\VstrnTmp", true},
      {L"D:\\", PathKind::Folder, drives, L"D:\\", true},
      {L"C:\\Caps\\notes.txt", PathKind::File, drives, L"C:\\Caps", false},
      {L"C:\\notes.txt", PathKind::File, drives, L"C:\\", false},
      {L"N:\\", PathKind::Missing, drives, L"C:\\", false},
      {L"N:\\", PathKind::Missing, {}, L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.dirName)));
    const FolderListStart start = FolderListStartFor(c.dirName, c.kind, c.drives);
    EXPECT_EQ(start.path, c.path);
    EXPECT_EQ(start.isDirName, c.isDirName);
  }
}

struct Shown {
  std::wstring path;
  std::wstring text;
  int level;
  bool open;
  bool operator==(const Shown&) const = default;
};

std::vector<Shown> Entries(const FolderListing& listing) {
  std::vector<Shown> shown;
  for (const FolderEntry& e : listing.entries) shown.push_back({e.path, e.text, e.level, e.open});
  return shown;
}

TEST(ListFolders, AncestorsThenSortedSubfoldersOneLevelDeeper) {
  const FolderListing nested = ListFolders(L"C:\\Users\\caps", {L"b", L"A", L"c"});
  EXPECT_EQ(Entries(nested), (std::vector<Shown>{
                                 {L"C:\\", L"C:\\", 0, true},
                                 {L"C:\\Users", L"Users", 1, true},
                                 {L"C:\\Users\\caps", L"caps", 2, true},
                                 {L"C:\\Users\\caps\\A", L"A", 3, false},
                                 {L"C:\\Users\\caps\\b", L"b", 3, false},
                                 {L"C:\\Users\\caps\\c", L"c", 3, false},
                             }));
  EXPECT_EQ(nested.current, 2u);

  const FolderListing root = ListFolders(L"D:\\", {L"Caps"});
  EXPECT_EQ(Entries(root), (std::vector<Shown>{{L"D:\\", L"D:\\", 0, true},
                                               {L"D:\\Caps", L"Caps", 1, false}}));
  EXPECT_EQ(root.current, 0u);

  const FolderListing share = ListFolders(L"\\\\server\\share\\caps", {});
  EXPECT_EQ(Entries(share), (std::vector<Shown>{
                                {L"\\\\server\\share", L"\\\\server\\share", 0, true},
                                {L"\\\\server\\share\\caps", L"caps", 1, true},
                            }));
}

}  // namespace
}  // namespace vistrane
