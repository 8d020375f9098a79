// Times a capture from the clipboard change to the finished file, and reads
// Vistrane's memory after the last one. Run it under Wine with Vistrane or
// capture_floor started (tools/bench/run_capture_bench.sh does all of it):
//   capture_bench <screenshot.bmp> <output folder> <captures> <.bmp|.png> <window class>
// The first capture waits for a window of the class: the capturing program is
// watching the clipboard once its window is there.
// Each capture: the screenshot goes on the clipboard with no owner, as the
// screen-copy key leaves it; the clock stops when a new file of the extension
// (a bitmap of the expected size) exists and its writer has closed it.
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

std::set<std::wstring> FilesOf(const std::wstring& folder, const std::wstring& extension) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileW((folder + L"\\*" + extension).c_str(), &found));
  if (!find) return names;
  do names.insert(found.cFileName);
  while (FindNextFileW(find.get(), &found));
  return names;
}

// A new file of the expected size (any, for 0) that its writer has closed.
bool FinishedFileAppeared(const std::wstring& folder, const std::wstring& extension,
                          const std::set<std::wstring>& before, ULONGLONG expectedSize,
                          std::wstring& name) {
  for (const auto& candidate : FilesOf(folder, extension)) {
    if (before.count(candidate) != 0) continue;
    const std::wstring path = folder + L"\\" + candidate;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.get(), &size) && size.QuadPart != 0 &&
        (expectedSize == 0 || static_cast<ULONGLONG>(size.QuadPart) == expectedSize)) {
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

// A program started in a fresh Wine server can take several seconds to come up.
void WaitForWindow(const std::wstring& windowClass) {
  for (DWORD waited = 0; FindWindowW(windowClass.c_str(), nullptr) == nullptr; waited += 10) {
    if (waited > 60000) throw Win32Error(WAIT_TIMEOUT, L"waiting for the capturing program's window");
    Sleep(10);
  }
}

int Run(const std::wstring& image, const std::wstring& folder, int captures,
        const std::wstring& extension, const std::wstring& windowClass) {
  WaitForWindow(windowClass);
  UniqueHbitmap source(static_cast<HBITMAP>(
      LoadImageW(nullptr, image.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!source) ThrowLastError(L"LoadImageW");
  BITMAP shape{};
  GetObjectW(source.get(), sizeof(shape), &shape);
  const ULONGLONG expectedSize =
      extension == L".bmp"
          ? 54 + static_cast<ULONGLONG>((shape.bmWidth * 3 + 3) / 4 * 4) * shape.bmHeight
          : 0;

  // Vistrane's memory, when it is the program that captures.
  UniqueProcess process;
  if (const HWND vistrane = FindWindowW(L"VistraneMainForm", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(vistrane, &pid);
    process.reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) ThrowLastError(L"OpenProcess");
    const Memory idle = VistraneMemory(process.get());
    std::printf("before the first capture: working set %.1f MiB, private %.1f MiB\n",
                idle.workingSetMiB, idle.privateMiB);
  }

  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  std::vector<double> ms;
  for (int i = 0; i < captures; ++i) {
    const auto before = FilesOf(folder, extension);
    UniqueHbitmap copy = ScreenBitmapOf(source.get(), shape.bmWidth, shape.bmHeight);
    LARGE_INTEGER start{}, now{};
    QueryPerformanceCounter(&start);
    PutOnClipboardWithoutOwner(std::move(copy));
    std::wstring name;
    for (;;) {
      if (FinishedFileAppeared(folder, extension, before, expectedSize, name)) break;
      QueryPerformanceCounter(&now);
      if (now.QuadPart - start.QuadPart > 20 * frequency.QuadPart) {
        throw Win32Error(WAIT_TIMEOUT, L"waiting for the capture's file");
      }
      Sleep(1);
    }
    QueryPerformanceCounter(&now);
    ms.push_back(1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart);
    DeleteFileW((folder + L"\\" + name).c_str());
    std::printf("capture %d: %.1f ms\n", i + 1, ms.back());
    // The capture's last steps (the progress window, the trim) out of the next one's way.
    Sleep(1000);
  }
  if (process) {
    // Past one tick of the form's 3-second trim timer.
    Sleep(3500);
    const Memory after = VistraneMemory(process.get());
    std::printf("after the last capture: working set %.1f MiB, private %.1f MiB\n",
                after.workingSetMiB, after.privateMiB);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%ldx%ld %ls: clipboard change to file: min %.1f ms, median %.1f ms (%d captures)\n",
              shape.bmWidth, shape.bmHeight, extension.c_str(), ms.front(), ms[ms.size() / 2],
              captures);
  return 0;
}

}  // namespace
}  // namespace vistrane

int wmain(int argc, wchar_t** argv) {
  if (argc < 6) {
    std::fprintf(stderr,
                 "usage: capture_bench <screenshot.bmp> <output folder> <captures> <.bmp|.png> <window class>\n");
    return 2;
  }
  try {
    return vistrane::Run(argv[1], argv[2], _wtoi(argv[3]), argv[4], argv[5]);
  } catch (const vistrane::Win32Error& e) {
    std::fprintf(stderr, "capture_bench: %s\n", e.what());
    return 1;
  }
}
