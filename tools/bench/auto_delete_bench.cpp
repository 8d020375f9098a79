// Times the start-up deletion pass over a prepared output folder: what it
// adds to Vistrane's start-up. Run it under Wine through
// tools/bench/run_auto_delete_bench.sh, which fills the folder:
//   auto_delete_bench <folder> [passes]
// Settings as a first start writes them (base name "Vstrn", 10 days).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "platform/system_clock.h"
#include "resident/capture/auto_delete_win.h"

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

  std::vector<double> times;
  AutoDeleteCounts counts;
  for (int i = 0; i < passes; ++i) {
    const auto start = std::chrono::steady_clock::now();
    counts = DeleteExpiredImageFiles(settings, clock);
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::wprintf(L"passes %d: min %.1f ms, median %.1f ms; last pass deleted %d, skipped %d\n",
               passes, times.front(), times[times.size() / 2], counts.deleted, counts.skipped);
  return 0;
}
