#include "resident/output/base_name_check.h"

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

// How the message shows a character: a control character has no glyph.
std::wstring Shown(wchar_t c) {
  if (c < 0x20) return L"制御文字 " + std::to_wstring(static_cast<int>(c));
  return L"「" + std::wstring(1, c) + L"」";
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
  if (filename.back() == L'.') Refuse(filename, L"、ピリオド「.」で終わる");
  if (filename.back() == L' ' || filename.back() == L'\u3000') {
    Refuse(filename, L"、空白で終わる");
  }
}

void CheckPathLength(std::wstring_view dirName, std::wstring_view filename) {
  const std::size_t longest = FolderPrefix(dirName).size() + filename.size() + kLongestSuffix;
  if (longest <= kLongestPath) return;
  throw OutputError(L"出力フォルダ（設定「DirName」）「" + std::wstring(dirName) +
                    L"」が長すぎるため、画像ファイルを保存できません。ファイルの場所が " +
                    std::to_wstring(kLongestPath) + L" 文字以内になるフォルダを指定してください。");
}

}  // namespace vistrane
