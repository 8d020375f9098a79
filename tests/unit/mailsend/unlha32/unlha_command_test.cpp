#include "mailsend/unlha32/unlha_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "mailsend/unlha32/crc16.h"
#include "shared/little_endian.h"
#include "tests/unit/mailsend/unlha32/lhasa_folder.h"
#include "tests/unit/mailsend/unlha32/sample_data.h"

namespace vistrane {
namespace {

using testing_lhasa::LhasaFolder;

constexpr std::int64_t kMay2009 = 1241676000;

// Files in memory; names stored as ASCII (anything else is refused, as the
// code page would refuse a character it lacks).
class MemoryArchiveFiles final : public ArchiveFileAccess {
 public:
  SourceFile ReadSource(const std::wstring& path) override {
    const auto found = sources.find(path);
    if (found == sources.end())
      throw ArchiveError(UnlhaStatus::kFileError, L"「" + path + L"」を開けませんでした。");
    return {found->second.first, found->second.second, nullptr};
  }
  std::optional<std::vector<std::uint8_t>> ReadArchive(const std::wstring& path) override {
    const auto found = archives.find(path);
    if (found == archives.end()) return std::nullopt;
    return found->second;
  }
  void WriteArchive(const std::wstring& path,
                    std::span<const std::span<const std::uint8_t>> pieces) override {
    std::vector<std::uint8_t>& archive = archives[path];
    archive.clear();
    for (const auto piece : pieces) archive.insert(archive.end(), piece.begin(), piece.end());
    ++writes;
  }
  std::string StoredNameBytes(const std::wstring& element) override {
    std::string bytes;
    for (const wchar_t c : element) {
      if (c > 0x7F)
        throw ArchiveError(UnlhaStatus::kFileError, L"「" + element + L"」は格納できません。");
      bytes += static_cast<char>(c);
    }
    return bytes;
  }

  std::map<std::wstring, std::pair<std::vector<std::uint8_t>, std::int64_t>> sources;
  std::map<std::wstring, std::vector<std::uint8_t>> archives;
  int writes = 0;
};

std::vector<std::uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

std::int64_t ModifiedTime(const LhasaFolder& folder, const std::string& name) {
  struct stat info {};
  if (stat((folder.path() / name).c_str(), &info) != 0) return -1;
  return info.st_mtime;
}

// Extracts with lhasa after its test passes; the listing goes to `listing`.
void ExtractWithLhasa(const LhasaFolder& folder, const std::vector<std::uint8_t>& archive,
                      std::string& listing) {
  ASSERT_TRUE(testing_lhasa::LhasaInstalled()) << "lhasa is missing: run scripts/setup";
  folder.Write("test.lzh", archive);
  std::string output;
  ASSERT_EQ(folder.Run("l test.lzh", listing), 0) << listing;
  ASSERT_EQ(folder.Run("t test.lzh", output), 0) << output;
  ASSERT_EQ(folder.Run("xqw=out test.lzh", output), 0) << output;
}

// A member with a level-0 or level-1 header, as older archivers wrote them,
// its data stored. A level-1 member with a folder names it in an extended
// header (0xFF after each folder name), which its compressed size counts.
std::vector<std::uint8_t> OldStyleMember(int level, const std::string& name,
                                         const std::vector<std::uint8_t>& data,
                                         const std::string& folder = {}) {
  std::vector<std::uint8_t> extended;
  if (!folder.empty()) {
    extended.push_back(0x02);
    extended.insert(extended.end(), folder.begin(), folder.end());
    PutU16(extended, 0);  // no further extended header
  }
  std::vector<std::uint8_t> header{0, 0, '-', 'l', 'h', '0', '-'};
  PutU32(header, static_cast<std::uint32_t>(extended.size() + data.size()));
  PutU32(header, static_cast<std::uint32_t>(data.size()));
  PutU32(header, 0x3AA75000);  // an MS-DOS date and time in 2009
  header.push_back(0x20);
  header.push_back(static_cast<std::uint8_t>(level));
  header.push_back(static_cast<std::uint8_t>(name.size()));
  header.insert(header.end(), name.begin(), name.end());
  PutU16(header, Crc16(data));
  if (level == 1) {
    header.push_back('M');
    PutU16(header, extended.empty() ? 0 : static_cast<std::uint32_t>(extended.size()));
  }
  header[0] = static_cast<std::uint8_t>(header.size() - 2);
  unsigned sum = 0;
  for (std::size_t i = 2; i < header.size(); ++i) sum += header[i];
  header[1] = static_cast<std::uint8_t>(sum);
  header.insert(header.end(), extended.begin(), extended.end());
  header.insert(header.end(), data.begin(), data.end());
  return header;
}

TEST(RunUnlha, CreatesAnArchiveThatLhasaListsTestsAndExtracts) {
  MemoryArchiveFiles files;
  const std::vector<std::uint8_t> bitmap = testing_lhasa::ScreenshotBmp(320, 200);
  const std::vector<std::uint8_t> note = Text("a note\r\n");
  files.sources[L"C:\\out dir\\VstrnML-090507.bmp"] = {bitmap, kMay2009};
  files.sources[L"C:\\out dir\\sub\\note.txt"] = {note, kMay2009 + 3600};

  const UnlhaOutcome outcome = RunUnlha(
      L"u -a1 -r2 -x1 -o2 \"C:\\out dir\\VstrnML-090507\" \"C:\\out dir\\\" \"C:\\out "
      L"dir\\VstrnML-090507.bmp\" "
      L"sub\\note.txt",
      files);
  ASSERT_EQ(outcome.status, UnlhaStatus::kOk)
      << std::string(outcome.message.begin(), outcome.message.end());
  ASSERT_EQ(files.archives.count(L"C:\\out dir\\VstrnML-090507.lzh"), 1u);

  LhasaFolder folder;
  std::string listing;
  ExtractWithLhasa(folder, files.archives[L"C:\\out dir\\VstrnML-090507.lzh"], listing);
  EXPECT_NE(listing.find("VstrnML-090507.bmp"), std::string::npos) << listing;
  EXPECT_NE(listing.find("sub/note.txt"), std::string::npos) << listing;
  EXPECT_TRUE(folder.Read("out/VstrnML-090507.bmp") == bitmap);
  EXPECT_TRUE(folder.Read("out/sub/note.txt") == note);
  EXPECT_EQ(ModifiedTime(folder, "out/VstrnML-090507.bmp"), kMay2009);
  EXPECT_EQ(ModifiedTime(folder, "out/sub/note.txt"), kMay2009 + 3600);
}

TEST(RunUnlha, ReplacesAMemberOfTheSameNameAndKeepsTheOthers) {
  MemoryArchiveFiles files;
  files.sources[L"C:\\out\\a.bmp"] = {Text("first a"), kMay2009};
  files.sources[L"C:\\out\\b.bmp"] = {Text("only b"), kMay2009};
  ASSERT_EQ(RunUnlha(L"u C:\\out\\cap C:\\out\\ C:\\out\\a.bmp C:\\out\\b.bmp", files).status,
            UnlhaStatus::kOk);
  files.sources[L"C:\\out\\a.bmp"] = {Text("second a, longer than the first"), kMay2009};
  files.sources[L"C:\\out\\c.bmp"] = {Text("new c"), kMay2009};
  ASSERT_EQ(
      RunUnlha(L"u C:\\out\\cap.lzh C:\\out\\ C:\\out\\a.bmp C:\\out\\c.bmp C:\\out\\c.bmp", files)
          .status,
      UnlhaStatus::kOk);

  LhasaFolder folder;
  std::string listing;
  ExtractWithLhasa(folder, files.archives[L"C:\\out\\cap.lzh"], listing);
  EXPECT_EQ(folder.Read("out/a.bmp"), Text("second a, longer than the first"));
  EXPECT_EQ(folder.Read("out/b.bmp"), Text("only b"));
  EXPECT_EQ(folder.Read("out/c.bmp"), Text("new c"));
  // In place, in order, and each name once.
  EXPECT_LT(listing.find("a.bmp"), listing.find("b.bmp"));
  EXPECT_LT(listing.find("b.bmp"), listing.find("c.bmp"));
  EXPECT_EQ(listing.find("a.bmp", listing.find("a.bmp") + 1), std::string::npos) << listing;
  EXPECT_EQ(listing.find("c.bmp", listing.find("c.bmp") + 1), std::string::npos) << listing;
}

TEST(RunUnlha, UpdatesArchivesWithOlderHeaderLevels) {
  MemoryArchiveFiles files;
  std::vector<std::uint8_t> old_archive = OldStyleMember(0, "keep0.txt", Text("level zero"));
  for (const auto& byte : OldStyleMember(1, "CAP.BMP", Text("old capture")))
    old_archive.push_back(byte);
  for (const auto& byte : OldStyleMember(1, "keep1.txt", Text("level one")))
    old_archive.push_back(byte);
  for (const auto& byte : OldStyleMember(1, "n.txt", Text("old in folder"), "sub\xFF"))
    old_archive.push_back(byte);
  old_archive.push_back(0);
  files.archives[L"C:\\out\\cap.lzh"] = old_archive;
  files.sources[L"C:\\out\\CAP.BMP"] = {Text("new capture"), kMay2009};
  files.sources[L"C:\\out\\sub\\n.txt"] = {Text("new in folder"), kMay2009};

  ASSERT_EQ(
      RunUnlha(L"u C:\\out\\cap C:\\out\\ C:\\out\\CAP.BMP C:\\out\\sub\\n.txt", files).status,
      UnlhaStatus::kOk);
  LhasaFolder folder;
  std::string listing;
  ExtractWithLhasa(folder, files.archives[L"C:\\out\\cap.lzh"], listing);
  EXPECT_EQ(folder.Read("out/keep0.txt"), Text("level zero"));
  EXPECT_EQ(folder.Read("out/keep1.txt"), Text("level one"));
  EXPECT_EQ(folder.Read("out/CAP.BMP"), Text("new capture"));
  EXPECT_EQ(folder.Read("out/sub/n.txt"), Text("new in folder"));
  EXPECT_EQ(listing.find("n.txt", listing.find("n.txt") + 1), std::string::npos)
      << "replaced, not added: " << listing;
}

TEST(RunUnlha, FailsWithAReasonAndLeavesTheArchiveAsItWas) {
  const std::vector<std::uint8_t> good_archive = [] {
    MemoryArchiveFiles maker;
    maker.sources[L"C:\\out\\a.bmp"] = {Text("a"), kMay2009};
    RunUnlha(L"u C:\\out\\cap C:\\out\\ C:\\out\\a.bmp", maker);
    return maker.archives[L"C:\\out\\cap.lzh"];
  }();
  ASSERT_FALSE(good_archive.empty());
  std::vector<std::uint8_t> truncated = good_archive;
  truncated.resize(truncated.size() - 2);

  struct Case {
    const char* what;
    std::wstring command;
    std::vector<std::uint8_t> archive;
    UnlhaStatus status;
    std::wstring reason_part;
  };
  const Case cases[] = {
      {"a file is missing", L"u C:\\out\\cap C:\\out\\ C:\\out\\a.bmp C:\\out\\gone.bmp",
       good_archive, UnlhaStatus::kFileError, L"C:\\out\\gone.bmp"},
      {"the archive is not an archive", L"u C:\\out\\cap C:\\out\\ C:\\out\\a.bmp",
       Text("MZ not an archive at all..."), UnlhaStatus::kFileError, L"LHA の書庫ではありません"},
      {"the archive is cut short", L"u C:\\out\\cap C:\\out\\ C:\\out\\a.bmp", truncated,
       UnlhaStatus::kFileError, L"範囲外にあります"},
      {"a name the code page lacks", L"u C:\\out\\cap C:\\out\\ C:\\out\\\u753b\u50cf.bmp",
       good_archive, UnlhaStatus::kFileError, L"「\u753b\u50cf.bmp」"},
      {"an unknown command", L"d C:\\out\\cap C:\\out\\ C:\\out\\a.bmp", good_archive,
       UnlhaStatus::kBadCommand, L"コマンド「d」には対応していません"},
      {"a file outside the base folder", L"u C:\\out\\cap C:\\out\\ C:\\other\\a.bmp", good_archive,
       UnlhaStatus::kBadCommand,
       L"「C:\\other\\a.bmp」は基準フォルダ「C:\\out\\」の中にありません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryArchiveFiles files;
    files.sources[L"C:\\out\\a.bmp"] = {Text("new a"), kMay2009};
    files.sources[L"C:\\out\\\u753b\u50cf.bmp"] = {Text("picture"), kMay2009};
    files.sources[L"C:\\other\\a.bmp"] = {Text("other"), kMay2009};
    files.archives[L"C:\\out\\cap.lzh"] = c.archive;
    const UnlhaOutcome outcome = RunUnlha(c.command, files);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_NE(outcome.message.find(c.reason_part), std::wstring::npos);
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(files.archives[L"C:\\out\\cap.lzh"], c.archive);
  }
}

}  // namespace
}  // namespace vistrane
