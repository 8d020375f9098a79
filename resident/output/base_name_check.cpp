#include "resident/output/base_name_check.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "shared/errors.h"
#include "shared/folder_path.h"

namespace vistrane {
namespace {

constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|";
// MAX_PATH less its terminating NUL.
constexpr std::size_t kLongestPath = 259;
// "mmdd-hhmmss" (a counter of up to five digits, or "ML-hhmmss", is no
// longer), then ".bmp", ".jpg" or ".png".
constexpr std::size_t kLongestSuffix = 11 + 4;

// Device names, which Windows takes for the device whatever follows a dot.
constexpr std::wstring_view kDeviceNames[] = {L"CON",  L"PRN",  L"AUX",  L"NUL",  L"COM1", L"COM2",
                                              L"COM3", L"COM4", L"COM5", L"COM6", L"COM7", L"COM8",
                                              L"COM9", L"LPT1", L"LPT2", L"LPT3", L"LPT4", L"LPT5",
                                              L"LPT6", L"LPT7", L"LPT8", L"LPT9"};

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; }

bool IsDeviceName(std::wstring_view filename) {
  std::wstring stem(filename.substr(0, filename.find(L'.')));
  // "nul .x" is the device too.
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(), AsciiUpper);
  return std::find(std::begin(kDeviceNames), std::end(kDeviceNames), stem) !=
         std::end(kDeviceNames);
}

// How the message shows a character: a control character has no glyph.
std::wstring Shown(wchar_t c) {
  if (c < 0x20) return L"制御文字 " + std::to_wstring(static_cast<int>(c));
  return L"「" + std::wstring(1, c) + L"」";
}

[[noreturn]] void RefuseLongFolder(std::wstring_view dirName) {
  throw OutputError(L"出力フォルダ（設定「DirName」）「" + std::wstring(dirName) +
                    L"」が長すぎるため、画像ファイルを保存できません。ファイルの場所が " +
                    std::to_wstring(kLongestPath) + L" 文字以内になるフォルダを指定してください。");
}

[[noreturn]] void Refuse(std::wstring_view filename, const std::wstring& why) {
  throw OutputError(L"設定「Filename」の値「" + std::wstring(filename) + L"」は" + why +
                    L"ため、画像ファイルを保存できません。");
}

}  // namespace

void CheckBaseName(std::wstring_view filename) {
  for (const wchar_t c : filename) {
    if (c < 0x20 || kForbidden.find(c) != std::wstring_view::npos) {
      Refuse(filename, L"、ファイル名に使えない文字" + Shown(c) + L"を含む");
    }
  }
  if (filename.empty()) return;
  if (IsDeviceName(filename)) Refuse(filename, L"、Windows が装置の名前として予約している");
  if (filename.back() == L'.') Refuse(filename, L"、ピリオド「.」で終わる");
  if (filename.back() == L' ' || filename.back() == L'\u3000') {
    Refuse(filename, L"、空白で終わる");
  }
}

void CheckOutputName(std::wstring_view dirName, std::wstring_view filename) {
  if (!IsAbsoluteFolder(dirName)) {
    throw OutputError(L"出力フォルダ（設定「DirName」）「" + std::wstring(dirName) +
                      L"」がドライブ（C:\\ など）または共有フォルダ（\\\\サーバー\\共有名）から始まる"
                      L"フォルダではないため、画像ファイルを保存できません。設定画面で出力先を選び直"
                      L"してください。");
  }
  CheckBaseName(filename);
  const std::size_t longest = FolderPrefix(dirName).size() + filename.size() + kLongestSuffix;
  if (longest > kLongestPath) RefuseLongFolder(dirName);
}

void CheckFilePathLength(std::wstring_view dirName, std::wstring_view path) {
  if (path.size() > kLongestPath) RefuseLongFolder(dirName);
}

}  // namespace vistrane
