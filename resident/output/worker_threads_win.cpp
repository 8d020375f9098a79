#include "resident/output/worker_threads_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/unique_handle.h"

namespace vistrane {
namespace {

using UniqueThread = UniqueHandle<HANDLE, CloseHandle>;

DWORD WINAPI RunTasks(void* tasks) {
  static_cast<SharedTasks*>(tasks)->Run();
  return 0;
}

}  // namespace

void WorkerThreads::RunAll(std::size_t count, const Task& task) {
  SharedTasks tasks(count, task);
  const std::size_t cores = std::max<DWORD>(1, GetActiveProcessorCount(ALL_PROCESSOR_GROUPS));
  std::vector<UniqueThread> helpers;
  for (std::size_t i = 1; i < std::min(cores, count); ++i) {
    // A thread that cannot be made leaves its share to the others: the work
    // is the same, only slower.
    UniqueThread thread(CreateThread(nullptr, 0, RunTasks, &tasks, 0, nullptr));
    if (!thread) break;
    helpers.push_back(std::move(thread));
  }
  tasks.Run();
  for (const UniqueThread& thread : helpers) WaitForSingleObject(thread.get(), INFINITE);
  tasks.RethrowFailure();
}

}  // namespace vistrane
