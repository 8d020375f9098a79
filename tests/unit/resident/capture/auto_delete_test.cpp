#include "resident/capture/auto_delete.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace vistrane {
namespace {

TEST(MakeAutoDeleteSearch, FolderAndDriveRoot) {
  struct Case {
    const char* what;
    const wchar_t* dirName;
    const wchar_t* pattern;
    const wchar_t* prefix;
  };
  const Case cases[] = {
      {"ordinary folder", L"C:\\VstrnTmp", L"C:\\VstrnTmp\\Vstrn*", L"C:\\VstrnTmp\\"},
      {"drive root, no doubled backslash", L"D:\\", L"D:\\Vstrn*", L"D:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto search = MakeAutoDeleteSearch(c.dirName, L"Vstrn");
    ASSERT_TRUE(search.has_value());
    EXPECT_EQ(search->pattern, c.pattern);
    EXPECT_EQ(search->folderPrefix, c.prefix);
  }
}

TEST(MakeAutoDeleteSearch, EmptyBaseNameSearchesNothing) {
  EXPECT_FALSE(MakeAutoDeleteSearch(L"C:\\VstrnTmp", L"").has_value());
  EXPECT_FALSE(MakeAutoDeleteSearch(L"rel", L"Vstrn").has_value());
}

TEST(IsAutoDeleteCandidate, OnlyOurBitmapJpegAndPngFiles) {
  constexpr std::uint32_t kArchive = 32;
  constexpr std::uint32_t kReadOnly = 1;
  struct Case {
    const char* what;
    std::uint32_t attributes;
    const wchar_t* name;
    const wchar_t* filename;
    bool candidate;
  };
  const Case cases[] = {
      {"numbered bitmap", kArchive, L"Vstrn1204-001.bmp", L"Vstrn", true},
      {"JPEG with time", kArchive, L"Vstrn1204-090507.jpg", L"Vstrn", true},
      {"mail copy", kArchive, L"VstrnML-090507.bmp", L"Vstrn", true},
      {"no attribute bits", 0, L"Vstrn.bmp", L"Vstrn", true},
      {"read-only still tried", kReadOnly, L"Vstrn.jpg", L"Vstrn", true},
      {"capital BMP", kArchive, L"Vstrn1204-001.BMP", L"Vstrn", false},
      {"capital JPG", kArchive, L"Vstrn1204-001.JPG", L"Vstrn", false},
      {"mixed case", kArchive, L"Vstrn1204-001.Bmp", L"Vstrn", false},
      {"PNG mail copy", kArchive, L"VstrnML-090507.png", L"Vstrn", true},
      {"capital PNG", kArchive, L"Vstrn1204-001.PNG", L"Vstrn", false},
      {"other extension", kArchive, L"Vstrn1204-001.gif", L"Vstrn", false},
      {"jpeg is not jpg", kArchive, L"Vstrn1204-001.jpeg", L"Vstrn", false},
      {"ending without a dot", kArchive, L"Vstrnbmp", L"Vstrn", true},
      {"other base name", kArchive, L"Photo1204-001.bmp", L"Vstrn", false},
      {"short alias matched the pattern", kArchive, L"Vst rn.bmp", L"Vstrn", false},
      {"base name in another case", kArchive, L"VSTRN1204-001.bmp", L"Vstrn", true},
      {"folder", 16, L"Vstrn1204-001.bmp", L"Vstrn", false},
      {"folder with further bits", 16 | kArchive, L"Vstrn1204-001.bmp", L"Vstrn", false},
      {"name of two characters", kArchive, L"Vs", L"V", false},
      {"name of three characters", kArchive, L"bmp", L"b", true},
      {"name is the base name", kArchive, L"Vs", L"Vs", false},
      // What a mail sender ended in mid-run leaves: archives and draft.
      {"mail archive", kArchive, L"VstrnML-090507.lzh", L"Vstrn", true},
      {"mail ZIP, taken name", kArchive, L"VstrnML-090507-12.zip", L"Vstrn", true},
      {"mail draft", kArchive, L"VstrnML-090507.eml", L"Vstrn", true},
      {"capital LZH", kArchive, L"VstrnML-090507.LZH", L"Vstrn", false},
      {"archive of a numbered name", kArchive, L"Vstrn1204-001.lzh", L"Vstrn", false},
      {"no time", kArchive, L"VstrnML-0905.zip", L"Vstrn", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(IsAutoDeleteCandidate(c.attributes, c.name, c.filename), c.candidate);
  }
}

// The pass compares each write time with the cutoff (in UTC, converted once);
// nullopt when nothing expires.
std::optional<bool> Expired(const LocalDateTime& written, std::int16_t days,
                            const LocalDateTime& today) {
  const std::optional<LocalDateTime> cutoff = ExpiryCutoff(today, days);
  if (!cutoff) return std::nullopt;
  const auto key = [](const LocalDateTime& t) {
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second);
  };
  EXPECT_EQ(std::tie(cutoff->hour, cutoff->minute, cutoff->second), std::make_tuple(0, 0, 0));
  return key(written) < key(*cutoff);
}

TEST(ExpiryCutoff, CalendarDaysFromTheDayOfWriting) {
  const LocalDateTime june20{2026, 6, 20, 8, 30, 0};
  struct Case {
    const char* what;
    LocalDateTime written;
    std::int16_t days;
    LocalDateTime today;
    std::optional<bool> expired;  // nullopt: out of 1 to 999, nothing expires
  };
  const Case cases[] = {
      {"9 June 23:59 + 10 days is before 20 June 00:00", {2026, 6, 9, 23, 59, 0}, 10, june20, true},
      {"10 June 00:00 + 10 days is 20 June 00:00", {2026, 6, 10, 0, 0, 0}, 10, june20, false},
      {"10 June 23:59", {2026, 6, 10, 23, 59, 59}, 10, june20, false},
      {"0 days", {2026, 6, 19, 23, 59, 59}, 0, june20, std::nullopt},
      {"written in the future", {2026, 7, 1, 0, 0, 0}, 1, june20, false},
      {"negative days", {2026, 6, 19, 12, 0, 0}, -5, june20, std::nullopt},
      {"across a month end", {2026, 5, 31, 12, 0, 0}, 19, june20, true},
      {"across a month end, kept", {2026, 5, 31, 12, 0, 0}, 20, june20, false},
      {"across a year end", {2025, 12, 31, 12, 0, 0}, 1, {2026, 1, 2, 0, 0, 0}, true},
      {"across a year end, kept", {2025, 12, 31, 12, 0, 0}, 2, {2026, 1, 2, 0, 0, 0}, false},
      {"leap day counts", {2024, 2, 28, 12, 0, 0}, 1, {2024, 3, 1, 0, 0, 0}, true},
      {"leap day counts, kept", {2024, 2, 28, 12, 0, 0}, 2, {2024, 3, 1, 0, 0, 0}, false},
      {"2100 has no leap day", {2100, 2, 28, 12, 0, 0}, 1, {2100, 3, 1, 0, 0, 0}, false},
      {"largest setting", {2023, 9, 24, 0, 0, 0}, 999, june20, true},
      {"1000 days", {1936, 1, 1, 0, 0, 0}, 1000, june20, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Expired(c.written, c.days, c.today), c.expired);
  }
}

}  // namespace
}  // namespace vistrane
