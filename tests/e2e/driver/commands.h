#pragma once
// The vtest subcommands. Each returns the process exit status; a bad command
// line throws UsageError and a failed Windows call throws Win32Error.
#include "tests/e2e/driver/arguments.h"

namespace vistrane::vtest {

// Exit statuses shared by every subcommand.
inline constexpr int kOk = 0;
inline constexpr int kNotMet = 1;  // the awaited condition did not come about in time
inline constexpr int kUsage = 2;
inline constexpr int kFailed = 3;  // a Windows call failed

int PatternCommand(Arguments& args);
int ViewerCommand(Arguments& args);
int WaitWindowCommand(Arguments& args);
int ForegroundCommand(Arguments& args);
int WatchWindowCommand(Arguments& args);
int MsgboxCommand(Arguments& args);
int ShowMsgboxCommand(Arguments& args);
int TrayOpenCommand(Arguments& args);
int MenuKeysCommand(Arguments& args);
int MenuCaptionsCommand(Arguments& args);
int TrayCommand(Arguments& args);
int RegDumpCommand(Arguments& args);
int RegSetCommand(Arguments& args);
int RegDeleteCommand(Arguments& args);
int PrintLayoutCommand(Arguments& args);
int DialogDumpCommand(Arguments& args);
int ClickCommand(Arguments& args);
int KeysCommand(Arguments& args);
int TypeCommand(Arguments& args);
int PressCommand(Arguments& args);
int CloseCommand(Arguments& args);

}  // namespace vistrane::vtest
