// Times the settings dialog's opening against plain_dialog.exe's, under Wine
// (tools/bench/run_dialog_bench.sh runs it):
//   dialog_bench <starts> <rounds> <Vistrane.exe> <plain_dialog.exe>
// Each start launches both programs; each round opens and closes each
// program's window once, the two taking turns at going first. An opening is
// the tray menu's first item chosen with the keys, as the scenarios choose
// it; the clock runs from the Enter key to the window shown and its program
// answering again, that is with its opening run to the end.
#include <windows.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/unique_handle.h"
#include "tools/bench/run_times.h"

namespace vistrane {
namespace {

using UniqueProcess = UniqueHandle<HANDLE, CloseHandle>;
using Clock = std::chrono::steady_clock;

constexpr UINT kTrayCallback = 0x0207;
constexpr UINT kAnswerMs = 20000;

struct Program {
  std::wstring path;
  const wchar_t* mainClass = nullptr;
  const wchar_t* dialogClass = nullptr;
  UniqueProcess process;
  DWORD id = 0;
  bench::RunTimes first;
  bench::RunTimes later;
};

// A top-level window of the class and process; with `visible`, a shown one.
HWND TopLevelOf(const wchar_t* className, DWORD process, bool visible) {
  for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process && (!visible || IsWindowVisible(window))) return window;
  }
  return nullptr;
}

HWND WaitFor(const wchar_t* what, const std::function<HWND()>& find) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(kAnswerMs);
  for (HWND found = find(); Clock::now() < deadline; found = find()) {
    if (found != nullptr) return found;
    Sleep(1);
  }
  throw Win32Error(WAIT_TIMEOUT, what);
}

void WaitAnswer(HWND window) {
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, nullptr)) {
    ThrowLastError(L"SendMessageTimeoutW");
  }
}

void Launch(Program& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION created{};
  if (!CreateProcessW(program.path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &created)) {
    ThrowLastError(L"CreateProcessW(" + program.path + L")");
  }
  CloseHandle(created.hThread);
  program.process.reset(created.hProcess);
  program.id = created.dwProcessId;
}

void WaitStarted(const Program& program) {
  WaitAnswer(WaitFor(L"main window", [&] { return TopLevelOf(program.mainClass, program.id, false); }));
}

double OpenAndClose(const Program& program) {
  const HWND main = TopLevelOf(program.mainClass, program.id, false);
  if (main == nullptr || !PostMessageW(main, kTrayCallback, 1, WM_RBUTTONDOWN)) {
    ThrowLastError(L"PostMessageW(tray callback)");
  }
  const HWND menu = WaitFor(L"menu", [&] { return TopLevelOf(L"#32768", program.id, true); });
  PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
  const auto start = Clock::now();
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
  const HWND dialog =
      WaitFor(L"dialog", [&] { return TopLevelOf(program.dialogClass, program.id, true); });
  WaitAnswer(dialog);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  WaitFor(L"closed dialog", [&] { return IsWindow(dialog) ? nullptr : main; });
  WaitAnswer(main);
  Sleep(300);  // the closed windows' last messages, before the other program's turn
  return ms;
}

void Quit(Program& program) {
  if (const HWND main = TopLevelOf(program.mainClass, program.id, false)) PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(program.process.get(), 10000) != WAIT_OBJECT_0) {
    TerminateProcess(program.process.get(), 1);
  }
  program.process.reset();
}

void Report(const Program& program) {
  std::printf("%ls: first opening %.1f / %.1f ms (min / median of %d), later %.1f / %.1f ms (%d)\n",
              program.path.c_str(), program.first.Min(), program.first.Median(),
              program.first.Runs(), program.later.Min(), program.later.Median(),
              program.later.Runs());
}

int Run(int starts, int rounds, const wchar_t* vistrane, const wchar_t* plain) {
  std::array<Program, 2> programs;
  programs[0].path = vistrane;
  programs[0].mainClass = L"VistraneMainForm";
  programs[0].dialogClass = L"VistraneSettingForm";
  programs[1].path = plain;
  programs[1].mainClass = L"PlainDialogMain";
  programs[1].dialogClass = L"PlainSettingForm";
  for (int start = 0; start < starts; ++start) {
    for (Program& program : programs) Launch(program);
    for (const Program& program : programs) WaitStarted(program);
    Sleep(2000);  // start-up work of both programs
    for (int round = 0; round < rounds; ++round) {
      for (int turn = 0; turn < 2; ++turn) {
        Program& program = programs[(start + round + turn) % 2];
        const double ms = OpenAndClose(program);
        (round == 0 ? program.first : program.later).Add(ms);
        std::printf("start %d round %d %ls: %.1f ms\n", start, round, program.mainClass, ms);
      }
    }
    for (Program& program : programs) Quit(program);
  }
  for (const Program& program : programs) Report(program);
  const Program& ours = programs[0];
  const Program& floor = programs[1];
  std::printf("ratio: first %.2f / %.2f, later %.2f / %.2f (min / median)\n",
              ours.first.Min() / floor.first.Min(), ours.first.Median() / floor.first.Median(),
              ours.later.Min() / floor.later.Min(), ours.later.Median() / floor.later.Median());
  return 0;
}

}  // namespace
}  // namespace vistrane

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: dialog_bench <starts> <rounds> <Vistrane.exe> <plain_dialog.exe>\n");
    return 2;
  }
  try {
    return vistrane::Run(vistrane::bench::RunsArgument(argc, argv, 1, 1),
                         vistrane::bench::RunsArgument(argc, argv, 2, 2), argv[3], argv[4]);
  } catch (const vistrane::Win32Error& e) {
    std::fprintf(stderr, "dialog_bench: %s\n", e.what());
    return 1;
  }
}
