#include "resident/output/image_file_name.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <span>

#include "resident/output/base_name_check.h"
#include "shared/date_text.h"
#include "shared/errors.h"
#include "shared/folder_path.h"
#include "shared/setting_keys.h"
#include "shared/setting_text.h"

namespace vistrane {
namespace {

const wchar_t* Extension(ImageFileFormat format) {
  switch (format) {
    case ImageFileFormat::Bitmap:
      return L".bmp";
    case ImageFileFormat::Png:
      return L".png";
    case ImageFileFormat::Jpeg:
      break;
  }
  return L".jpg";
}

constexpr int kLastFreeSuffix = 32767;

// stem and extension, or the first of stem "-2", "-3", ... that neither names
// an existing file nor, with a companion extension, one beside it.
std::wstring FreeName(std::wstring_view dirName, const std::wstring& stem,
                      std::wstring_view extension, const FileExistsTest& exists,
                      std::span<const std::wstring_view> companions) {
  for (int n = 1; n <= kLastFreeSuffix; ++n) {
    const std::wstring name = n == 1 ? stem : stem + L"-" + std::to_wstring(n);
    const auto taken = [&](std::wstring_view ext) { return exists(name + std::wstring(ext)); };
    if (taken(extension) || std::any_of(companions.begin(), companions.end(), taken)) continue;
    std::wstring path = name + std::wstring(extension);
    CheckFilePathLength(dirName, path);
    return path;
  }
  throw OutputError(L"画像ファイル「" + stem + std::wstring(extension) + L"」の名前は -" +
                    std::to_wstring(kLastFreeSuffix) +
                    L" まですべて使われているため、画像ファイルを保存できません。");
}

}  // namespace

std::wstring NextImageFilePath(const SettingsRecord& record, ImageFileFormat format, bool forMail,
                               std::int16_t& SaveCont, const Clock& clock, SettingsStore& store,
                               const FileExistsTest& exists) {
  const std::wstring extension = Extension(format);
  CheckOutputName(record.DirName, record.Filename);
  const std::wstring base = JoinPath(record.DirName, record.Filename);
  const LocalDateTime now = clock.Now();
  if (forMail) {
    return FreeName(record.DirName, base + std::wstring(kMailCopyMark) + FormatHhmmss(now),
                    extension, exists, kMailCopyCompanions);
  }
  if (record.FileOutMode == 2) {
    return FreeName(record.DirName, base + FormatMmdd(now) + L"-" + FormatHhmmss(now), extension,
                    exists, {});
  }
  if (record.FileOutMode != 1) return FreeName(record.DirName, base, extension, exists, {});

  std::int16_t count = SaveCont;
  std::wstring path;
  do {
    if (count == std::numeric_limits<std::int16_t>::max()) {
      throw OutputError(
          L"本日の連番（SaveCont）が上限の32767に達したため、画像ファイルを保存できません。");
    }
    ++count;
    // At least three digits with leading zeros; 1000 and above print in full.
    // A negative count can only come from a hand-edited store and keeps its sign.
    std::wstring digits = std::to_wstring(std::abs(static_cast<int>(count)));
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), L'0');
    path = base + FormatMmdd(now) + L"-" + (count < 0 ? L"-" : L"") + digits + extension;
  } while (exists(path));
  SaveCont = count;
  store.SaveSetting(keys::GDate, FormatYyyymmdd(now));
  store.SaveSetting(keys::SaveCont, FormatInt16(SaveCont));
  return path;
}

std::wstring ImageFilePath(const SettingsRecord& record, std::wstring_view suffix) {
  std::wstring name = record.Filename;
  name += suffix;
  return JoinPath(record.DirName, name + Extension(ImageFileFormatOf(record)));
}

}  // namespace vistrane
