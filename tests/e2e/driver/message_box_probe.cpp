// msgbox: finds the product's error box, reports what it shows, and presses
// OK on request. show-msgbox: shows such a box, to check msgbox itself.
//
// Report (JSON, UTF-8): {"title": ..., "text": ..., "icon": ..., "buttons": [...]}
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/icon_match.h"
#include "tests/e2e/driver/json_text.h"
#include "tests/e2e/driver/window_search.h"
#include "tools/common/console_output.h"
#include "tools/common/file_output.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kErrorTitle[] = L"VISTRANE エラーダイアログ";
// The message text's control in a system message box.
constexpr int kMessageTextId = 0xFFFF;

struct Controls {
  HWND iconControl = nullptr;
  std::vector<HWND> buttons;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM context) {
  auto& controls = *reinterpret_cast<Controls*>(context);
  if (!IsWindowVisible(control)) return TRUE;
  const std::wstring className = ClassNameOf(control);
  if (className == L"Button") controls.buttons.push_back(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (className == L"Static" && (style & SS_TYPEMASK) == SS_ICON) controls.iconControl = control;
  return TRUE;
}

struct BoxReport {
  std::wstring title;
  std::wstring text;
  std::wstring icon;
  std::vector<std::wstring> buttons;

  std::wstring ToJson() const {
    std::wstring json = L"{\"title\": " + JsonString(title) + L", \"text\": " + JsonString(text) +
                        L", \"icon\": " + JsonString(icon) + L", \"buttons\": [";
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (i != 0) json += L", ";
      json += JsonString(buttons[i]);
    }
    return json + L"]}\n";
  }
};

BoxReport Describe(HWND box) {
  Controls controls;
  EnumChildWindows(box, &CollectControl, reinterpret_cast<LPARAM>(&controls));
  const HWND textControl = GetDlgItem(box, kMessageTextId);
  if (textControl == nullptr) ThrowLastError(L"GetDlgItem (message text)");
  BoxReport report{TitleOf(box), ControlText(textControl),
                   controls.iconControl ? IdentifyShownIcon(controls.iconControl) : L"none", {}};
  for (const HWND button : controls.buttons) report.buttons.push_back(ControlText(button));
  return report;
}

}  // namespace

int MsgboxCommand(Arguments& args) {
  const auto timeout = args.TakeSeconds(L"--timeout", std::chrono::seconds(10));
  const bool pressOk = args.TakeFlag(L"--ok");
  const bool pressYes = args.TakeFlag(L"--yes");
  const bool pressNo = args.TakeFlag(L"--no");
  if (pressOk + pressYes + pressNo > 1) throw tools::UsageError("press one of --ok, --yes, --no");
  const int press = pressOk ? IDOK : pressYes ? IDYES : pressNo ? IDNO : 0;
  const auto outPath = args.TakeOption(L"--out");
  const std::wstring title = args.TakeOption(L"--title").value_or(kErrorTitle);
  args.Positional(0);

  HWND box = nullptr;
  if (!WaitUntil(timeout, [&] { return (box = FindTopLevel(kDialogClass, title.c_str(), true)); })) {
    tools::WriteErr(L"vtest msgbox: no error box\n");
    return kNotMet;
  }
  // The icon is compared on the screen: give the box time to paint it.
  BoxReport report;
  WaitUntil(std::chrono::seconds(2), [&] {
    report = Describe(box);
    return report.icon != L"unknown";
  });
  tools::WriteOut(report.ToJson());
  if (outPath) tools::WriteUtf8File(*outPath, report.ToJson());

  if (press != 0) {
    const HWND button = GetDlgItem(box, press);
    if (button == nullptr) ThrowLastError(L"GetDlgItem (the button to press)");
    if (!PostMessageW(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button))) {
      ThrowLastError(L"PostMessageW");
    }
    if (!WaitUntil(std::chrono::seconds(5), [&] { return !IsWindow(box); })) {
      tools::WriteErr(L"vtest msgbox: the box stayed after its button was pressed\n");
      return kNotMet;
    }
  }
  return kOk;
}

int ShowMsgboxCommand(Arguments& args) {
  const auto icon = args.TakeOption(L"--icon").value_or(L"exclamation");
  const auto& positional = args.Positional(1);
  UINT style = MB_OK;
  if (icon == L"exclamation") {
    style |= MB_ICONEXCLAMATION;
  } else if (icon == L"information") {
    style |= MB_ICONINFORMATION;
  } else {
    throw tools::UsageError("--icon wants exclamation or information");
  }
  const int answer = MessageBoxW(nullptr, positional[0].c_str(), kErrorTitle, style);
  if (answer == 0) ThrowLastError(L"MessageBoxW");
  return answer == IDOK ? kOk : kNotMet;
}

}  // namespace vistrane::vtest
