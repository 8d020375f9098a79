#include "tools/screencopy/options.h"

#include <string_view>

namespace vistrane::tools {
namespace {

int ParsePositive(std::wstring_view text, const char* what) {
  if (text.empty() || text.size() > 5) throw UsageError(std::string("bad ") + what);
  int value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') throw UsageError(std::string("bad ") + what);
    value = value * 10 + (c - L'0');
  }
  if (value == 0) throw UsageError(std::string(what) + " must be positive");
  return value;
}

}  // namespace

const wchar_t kUsage[] =
    L"usage: screencopy [--window | --size WxH | --text TEXT] [--owner none|desktop|app]\n"
    L"                  [--hold SECONDS] [--save FILE.bmp]\n"
    L"Puts a bitmap on the clipboard the way the screen-copy key does.\n"
    L"  (default)       a copy of the whole screen\n"
    L"  --window        a copy of the foreground window, clamped to the screen\n"
    L"  --size WxH      a W x H bitmap of the test pattern instead of the screen\n"
    L"  --text TEXT     CF_UNICODETEXT only, no bitmap\n"
    L"  --owner none    no clipboard owner, like the screen-copy key (default)\n"
    L"  --owner desktop the desktop window owns the clipboard\n"
    L"  --owner app     a hidden window of this program owns it and stays alive\n"
    L"                  for --hold seconds (default 3)\n"
    L"  --save FILE     also write the bitmap put on the clipboard as a 24-bit BMP\n"
    L"Exit status: 0 done, 1 a Windows call failed, 2 bad command line.\n";

Options ParseOptions(int argc, const wchar_t* const argv[]) {
  Options options;
  bool sourceGiven = false;
  bool holdGiven = false;
  auto value = [&](int& i) -> std::wstring_view {
    if (i + 1 >= argc) throw UsageError("option needs a value");
    return argv[++i];
  };
  auto setSource = [&](Source source) {
    if (sourceGiven) throw UsageError("--window, --size and --text exclude each other");
    sourceGiven = true;
    options.source = source;
  };
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view arg = argv[i];
    if (arg == L"--window") {
      setSource(Source::ForegroundWindow);
    } else if (arg == L"--size") {
      setSource(Source::Pattern);
      const std::wstring_view size = value(i);
      const auto x = size.find(L'x');
      if (x == std::wstring_view::npos) throw UsageError("--size wants WxH");
      options.width = ParsePositive(size.substr(0, x), "width");
      options.height = ParsePositive(size.substr(x + 1), "height");
    } else if (arg == L"--text") {
      setSource(Source::Text);
      options.text = value(i);
    } else if (arg == L"--owner") {
      const std::wstring_view owner = value(i);
      if (owner == L"none") {
        options.owner = Owner::None;
      } else if (owner == L"desktop") {
        options.owner = Owner::Desktop;
      } else if (owner == L"app") {
        options.owner = Owner::App;
      } else {
        throw UsageError("--owner wants none, desktop or app");
      }
    } else if (arg == L"--hold") {
      options.hold = std::chrono::seconds(ParsePositive(value(i), "hold"));
      holdGiven = true;
    } else if (arg == L"--save") {
      options.savePath = std::wstring(value(i));
    } else {
      throw UsageError("unknown argument");
    }
  }
  if (holdGiven && options.owner != Owner::App) throw UsageError("--hold needs --owner app");
  if (options.savePath && options.source == Source::Text) {
    throw UsageError("--save needs a bitmap, not --text");
  }
  return options;
}

}  // namespace vistrane::tools
