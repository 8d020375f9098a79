// vtest_quiet: a windowed program that ends at once. It stands in for a
// companion program (the mail sender) where the scenario needs the hand-off to
// succeed with nothing on screen; vtest itself is a console program, and Wine
// may open a console window for it in front of the windows under test.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
