// The least a Windows program does: start and end. The mail sender's bench
// starts it as the sender is started, for the share of a run that is the
// system's process start-up.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
