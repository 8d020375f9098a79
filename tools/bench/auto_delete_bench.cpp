// Times the start-up deletion pass over a prepared output folder: what it
// adds to Vistrane's start-up. Run it under Wine through
// tools/bench/run_auto_delete_bench.sh, which fills the folder:
//   auto_delete_bench <folder> [passes]
// Settings as a first start writes them (base name "Vstrn", 10 days).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "platform/system_clock.h"
#include "resident/capture/auto_delete_win.h"
#include "tools/bench/run_times.h"

int wmain(int argc, wchar_t* argv[]) {
  using namespace vistrane;
  if (argc < 2 || argc > 3) {
    std::fwprintf(stderr, L"usage: auto_delete_bench <folder> [passes]\n");
    return 2;
  }
  const int passes = argc == 3 ? std::max(1, _wtoi(argv[2])) : 1;
  SettingsRecord settings;
  settings.DirName = argv[1];
  settings.Filename = L"Vstrn";
  settings.AutoDelDate = 10;
  const SystemClock clock;

  bench::RunTimes times;
  AutoDeleteCounts counts;
  for (int i = 0; i < passes; ++i) {
    times.Measure([&] { counts = DeleteExpiredImageFiles(settings, clock); });
  }
  std::wprintf(L"passes %d: min %.1f ms, median %.1f ms; last pass deleted %d, skipped %d\n",
               passes, times.Min(), times.Median(), counts.deleted, counts.skipped);
  return 0;
}
