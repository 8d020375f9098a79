// vtest: the test driver of the end-to-end scenarios (see kUsage).
#include <windows.h>

#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_encoding.h"
#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tools/common/console_output.h"
#include "tools/common/usage_error.h"

namespace {

using vistrane::vtest::Arguments;

struct Command {
  const wchar_t* name;
  int (*run)(Arguments&);
};

constexpr Command kCommands[] = {
    {L"pattern", vistrane::vtest::PatternCommand},
    {L"viewer", vistrane::vtest::ViewerCommand},
    {L"wait-window", vistrane::vtest::WaitWindowCommand},
    {L"foreground", vistrane::vtest::ForegroundCommand},
    {L"watch-window", vistrane::vtest::WatchWindowCommand},
    {L"msgbox", vistrane::vtest::MsgboxCommand},
    {L"show-msgbox", vistrane::vtest::ShowMsgboxCommand},
    {L"tray-open", vistrane::vtest::TrayOpenCommand},
    {L"menu-keys", vistrane::vtest::MenuKeysCommand},
    {L"menu-captions", vistrane::vtest::MenuCaptionsCommand},
    {L"tray", vistrane::vtest::TrayCommand},
    {L"reg-dump", vistrane::vtest::RegDumpCommand},
    {L"reg-set", vistrane::vtest::RegSetCommand},
    {L"reg-delete", vistrane::vtest::RegDeleteCommand},
    {L"print-layout", vistrane::vtest::PrintLayoutCommand},
    {L"dlg-dump", vistrane::vtest::DialogDumpCommand},
    {L"click", vistrane::vtest::ClickCommand},
    {L"keys", vistrane::vtest::KeysCommand},
    {L"type", vistrane::vtest::TypeCommand},
    {L"press", vistrane::vtest::PressCommand},
    {L"close", vistrane::vtest::CloseCommand},
};

constexpr wchar_t kUsage[] =
    L"usage: vtest <command> [arguments] [; <command> [arguments]]...\n"
    L"  the commands run in order in one process until one does not succeed; the\n"
    L"  status is the last one's (3 when an earlier one fails); times are in seconds\n"
    L"  pattern L T W H --stop-file F [--title T] [--timeout S]\n"
    L"      a foreground window filled with the test pattern until F exists\n"
    L"  viewer LOG --stop-file F [--timeout S]\n"
    L"      join the clipboard-viewer chain; one line in LOG per notice\n"
    L"  wait-window [--gone] [--shown] CLASS TITLE|- TIMEOUT\n"
    L"      wait until a top-level window of the class (and title) exists (prints its\n"
    L"      process id and handle), or is gone; with --shown only a visible one counts\n"
    L"  foreground CLASS TITLE|- TIMEOUT\n"
    L"      bring the visible window of the class (and title) to the front until it is the\n"
    L"      foreground window; prints its rectangle\n"
    L"  watch-window CLASS TITLE|- LOG PREFIX --stop-file F [--timeout S]\n"
    L"      log each time the window shows or hides, with a copy of it as PREFIX-N.bmp\n"
    L"  msgbox [--timeout S] [--ok|--yes|--no] [--out FILE] [--title T]\n"
    L"      wait for the product's error box (or a box titled T); report it as JSON;\n"
    L"      --ok, --yes, --no press that button\n"
    L"  show-msgbox [--icon exclamation|information] TEXT\n"
    L"      show a box titled like the product's error box (to check msgbox itself)\n"
    L"  tray-open [--mouse right|left|double|move] [--timeout S]\n"
    L"      send a tray mouse event (right: a right-click) and wait for the popup menu;\n"
    L"      status 1 as soon as Vistrane has handled the event and 0.5 s passed without one\n"
    L"  menu-keys [--timeout S] KEY...\n"
    L"      press keys (up, down, return, escape) in the open popup menu\n"
    L"  menu-captions PROGRAM\n"
    L"      the tray menu's captions in the program file (\"-\" a separator), as JSON\n"
    L"  tray LOG --stop-file F [--timeout S]\n"
    L"      a notification area in front of the shell's until F exists: it keeps each\n"
    L"      icon until deleted and logs each Shell_NotifyIcon call in LOG\n"
    L"  reg-dump KEY | reg-set KEY NAME=VALUE... | reg-delete KEY\n"
    L"      registry values as JSON; REG_SZ values; a key with all below it\n"
    L"  print-layout ORIENTATION ZOOM YOKO TATE WIDTH HEIGHT\n"
    L"      the default printer's page and where Vistrane prints a picture of WIDTH x HEIGHT\n"
    L"      pixels with these settings, as JSON (twips; page caps in device pixels)\n"
    L"  dlg-dump [--timeout S] CLASS TITLE|-\n"
    L"      wait for a visible window; its controls by id (text, state, list items), focus,\n"
    L"      rectangle and how many such windows are visible, as JSON\n"
    L"  click [--double] X Y\n"
    L"      a left click (or double click) at the screen point, in physical pixels\n"
    L"  keys STROKE...\n"
    L"      key strokes to the foreground window: tab, return, escape, space, up, down,\n"
    L"      left, right, home, end, back, delete, f4, with shift+, ctrl+, alt+\n"
    L"  type TEXT\n"
    L"      the characters of TEXT typed into the foreground window's focus\n"
    L"  press CLASS TITLE|- ID | close CLASS TITLE|-\n"
    L"      click the window's button ID; press its title bar's close button\n"
    L"Exit status: 0 done, 1 condition not met in time, 2 bad command line, 3 failure.\n";

int RunCommand(const std::vector<std::wstring>& words) {
  using namespace vistrane;
  const std::wstring_view name = words.empty() ? std::wstring_view() : words.front();
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    Arguments args(std::vector<std::wstring>(words.begin() + 1, words.end()));
    try {
      return command.run(args);
    } catch (const tools::UsageError& error) {
      tools::WriteErr(L"vtest " + std::wstring(name) + L": " + Utf8ToWide(error.what()) + L"\n" +
                      kUsage);
      return vtest::kUsage;
    } catch (const Win32Error& error) {
      tools::WriteErr(L"vtest " + std::wstring(name) + L": " + error.message() + L"\n");
    } catch (const std::exception& error) {
      tools::WriteErr(L"vtest " + std::wstring(name) + L": " + Utf8ToWide(error.what()) + L"\n");
    }
    return vtest::kFailed;
  }
  tools::WriteErr(L"vtest: unknown command\n" + std::wstring(kUsage));
  return vtest::kUsage;
}

}  // namespace

// Several commands in one run save a Wine start each.
int wmain(int argc, wchar_t* argv[]) {
  const std::vector<std::wstring> words(argv + 1, argv + argc);
  auto begin = words.begin();
  for (;;) {
    const auto end = std::find(begin, words.end(), std::wstring(L";"));
    const int status = RunCommand(std::vector<std::wstring>(begin, end));
    if (end == words.end()) return status;
    if (status != vistrane::vtest::kOk) {
      return status == vistrane::vtest::kUsage ? status : vistrane::vtest::kFailed;
    }
    begin = end + 1;
  }
}
