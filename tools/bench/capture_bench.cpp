// Times Vistrane from the clipboard change to the finished file, and reads its
// memory between captures. Run it under Wine with Vistrane already running
// (tools/bench/run_capture_bench.sh does all of it):
//   capture_bench <screenshot.bmp> <output folder> [captures]
// Each capture: the screenshot goes on the clipboard with no owner, as the
// screen-copy key leaves it; the clock stops when a new bitmap file of the
// expected size exists and its writer has closed it.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

std::set<std::wstring> BitmapFiles(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileW((folder + L"\\*.bmp").c_str(), &found));
  if (!find) return names;
  do names.insert(found.cFileName);
  while (FindNextFileW(find.get(), &found));
  return names;
}

// A new file of the expected size that its writer has closed.
bool FinishedFileAppeared(const std::wstring& folder, const std::set<std::wstring>& before,
                          ULONGLONG expectedSize, std::wstring& name) {
  for (const auto& candidate : BitmapFiles(folder)) {
    if (before.count(candidate) != 0) continue;
    const std::wstring path = folder + L"\\" + candidate;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.get(), &size) && static_cast<ULONGLONG>(size.QuadPart) == expectedSize) {
      name = candidate;
      return true;
    }
  }
  return false;
}

UniqueHbitmap ScreenBitmapOf(HBITMAP source, int width, int height) {
  WindowDc screen(nullptr);
  UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  UniqueHdc from(CreateCompatibleDC(screen.get()));
  UniqueHdc to(CreateCompatibleDC(screen.get()));
  if (!bitmap || !from || !to) ThrowLastError(L"CreateCompatibleBitmap");
  SelectObjectScope a(from.get(), source);
  SelectObjectScope b(to.get(), bitmap.get());
  if (!BitBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, SRCCOPY)) ThrowLastError(L"BitBlt");
  return bitmap;
}

void PutOnClipboardWithoutOwner(UniqueHbitmap bitmap) {
  if (!OpenClipboard(nullptr)) ThrowLastError(L"OpenClipboard");
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, bitmap.get()) != nullptr) bitmap.release();
  CloseClipboard();
}

using UniqueProcess = UniqueHandle<HANDLE, CloseHandle>;

struct Memory {
  double workingSetMiB = 0;
  double privateMiB = 0;
};

Memory VistraneMemory(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof(counters))) {
    ThrowLastError(L"GetProcessMemoryInfo");
  }
  return {counters.WorkingSetSize / 1048576.0, counters.PrivateUsage / 1048576.0};
}

int Run(const std::wstring& image, const std::wstring& folder, int captures) {
  UniqueHbitmap source(static_cast<HBITMAP>(
      LoadImageW(nullptr, image.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!source) ThrowLastError(L"LoadImageW");
  BITMAP shape{};
  GetObjectW(source.get(), sizeof(shape), &shape);
  const ULONGLONG expectedSize =
      54 + static_cast<ULONGLONG>((shape.bmWidth * 3 + 3) / 4 * 4) * shape.bmHeight;

  const HWND vistrane = FindWindowW(L"VistraneMainForm", nullptr);
  if (vistrane == nullptr) throw Win32Error(ERROR_NOT_FOUND, L"FindWindowW(VistraneMainForm)");
  DWORD pid = 0;
  GetWindowThreadProcessId(vistrane, &pid);
  const UniqueProcess process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  if (!process) ThrowLastError(L"OpenProcess");

  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  const Memory idle = VistraneMemory(process.get());
  std::printf("before the first capture: working set %.1f MiB, private %.1f MiB\n",
              idle.workingSetMiB, idle.privateMiB);

  std::vector<double> ms;
  Memory between{};
  for (int i = 0; i < captures; ++i) {
    const auto before = BitmapFiles(folder);
    UniqueHbitmap copy = ScreenBitmapOf(source.get(), shape.bmWidth, shape.bmHeight);
    LARGE_INTEGER start{}, now{};
    QueryPerformanceCounter(&start);
    PutOnClipboardWithoutOwner(std::move(copy));
    std::wstring name;
    for (;;) {
      if (FinishedFileAppeared(folder, before, expectedSize, name)) break;
      QueryPerformanceCounter(&now);
      if (now.QuadPart - start.QuadPart > 20 * frequency.QuadPart) {
        throw Win32Error(WAIT_TIMEOUT, L"waiting for the capture's file");
      }
      Sleep(1);
    }
    QueryPerformanceCounter(&now);
    ms.push_back(1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart);
    DeleteFileW((folder + L"\\" + name).c_str());
    // Past one tick of the form's 3-second trim timer.
    Sleep(3500);
    between = VistraneMemory(process.get());
    std::printf("capture %d: %.1f ms to the file; then working set %.1f MiB, private %.1f MiB\n",
                i + 1, ms.back(), between.workingSetMiB, between.privateMiB);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%ldx%ld: clipboard change to file: min %.1f ms, median %.1f ms (%d captures)\n",
              shape.bmWidth, shape.bmHeight, ms.front(), ms[ms.size() / 2], captures);
  return 0;
}

}  // namespace
}  // namespace vistrane

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: capture_bench <screenshot.bmp> <output folder> [captures]\n");
    return 2;
  }
  try {
    return vistrane::Run(argv[1], argv[2], argc > 3 ? _wtoi(argv[3]) : 5);
  } catch (const vistrane::Win32Error& e) {
    std::fprintf(stderr, "capture_bench: %s\n", e.what());
    return 1;
  }
}
