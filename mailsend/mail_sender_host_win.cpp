#include "mailsend/mail_sender_host_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <iterator>
#include <limits>

#include "platform/file_system.h"
#include "platform/file_writer.h"
#include "platform/message_box.h"
#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "platform/working_set.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

// A failed file step as the user reads it: the system's text naming the file.
template <typename Step>
auto ReportingFileErrors(Step step) {
  try {
    return step();
  } catch (const Win32Error& e) {
    throw UserFacingError(e.message());
  }
}

// The minutes local time is ahead of UTC now.
int UtcOffsetMinutes() {
  TIME_ZONE_INFORMATION zone{};
  const DWORD which = GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;
  if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  return which == TIME_ZONE_ID_INVALID ? 0 : -bias;
}

using UniqueItemIdList = UniqueHandle<PIDLIST_ABSOLUTE, CoTaskMemFree>;
using UniqueThread = UniqueHandle<HANDLE, CloseHandle>;
using UniqueEvent = UniqueHandle<HANDLE, CloseHandle>;

// Work on a thread of its own, kept to some of the processors at first.
struct BesideWork {
  const std::function<void()>& work;
  DWORD_PTR keptTo;  // the processors it may use, or 0 for any
  HANDLE kept;       // set once it keeps to them
  std::exception_ptr failure = nullptr;
};

DWORD WINAPI RunBesideWork(void* parameter) {
  auto& beside = *static_cast<BesideWork*>(parameter);
  if (beside.keptTo != 0) {
    SetThreadAffinityMask(GetCurrentThread(), beside.keptTo);
    SetEvent(beside.kept);
  }
  try {
    beside.work();
  } catch (...) {
    beside.failure = std::current_exception();
  }
  return 0;
}

// The process's processors other than the one the calling thread runs on, or
// 0 where it has no other.
DWORD_PTR OtherProcessors(DWORD_PTR processors) {
  const DWORD here = GetCurrentProcessorNumber();
  if (here >= sizeof(DWORD_PTR) * 8) return 0;
  const DWORD_PTR others = processors & ~(DWORD_PTR{1} << here);
  return others != processors ? others : 0;
}

}  // namespace

void MailSenderHostWin::TrimWorkingSet() noexcept { vistrane::TrimWorkingSet(); }

void MailSenderHostWin::RunBeside(const std::function<void()>& aside,
                                  const std::function<void()>& here) {
  // Under Wine the system calls of `here` (loading the mail client makes
  // hundreds) are served by the wine server, a process that runs on the
  // processor of the thread whose call woke it. `aside` is kept off this
  // thread's processor, where the server would interrupt it all the while,
  // and `here` starts only once it is; it gets every processor back when
  // `here` is done. On Windows the split costs nothing.
  DWORD_PTR processors = 0, system = 0;
  const UniqueEvent kept(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const DWORD_PTR others = kept && GetProcessAffinityMask(GetCurrentProcess(), &processors, &system)
                               ? OtherProcessors(processors)
                               : 0;
  BesideWork beside{aside, others, kept.get()};
  const UniqueThread thread(CreateThread(nullptr, 0, RunBesideWork, &beside, 0, nullptr));
  if (!thread) {  // no thread to spare
    aside();
    here();
    return;
  }
  if (others != 0) {
    const HANDLE started[] = {kept.get(), thread.get()};
    WaitForMultipleObjects(2, started, FALSE, INFINITE);
  }
  std::exception_ptr hereFailure;
  try {
    here();
  } catch (...) {
    hereFailure = std::current_exception();
  }
  // Not given back, the work only stays on fewer processors.
  if (others != 0) SetThreadAffinityMask(thread.get(), processors);
  WaitForSingleObject(thread.get(), INFINITE);
  if (hereFailure) std::rethrow_exception(hereFailure);
  if (beside.failure) std::rethrow_exception(beside.failure);
}

bool MailSenderHostWin::FileExists(const std::wstring& path) { return PathExists(path); }

void MailSenderHostWin::RemoveFile(const std::wstring& path) { DeleteFileIfExists(path); }

void MailSenderHostWin::ShowError(const std::wstring& text) { ShowErrorMessage(nullptr, text); }

std::vector<unsigned char> MailSenderHostWin::ReadWholeFile(const std::wstring& path) {
  return ReportingFileErrors([&] {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowFileError(GetLastError(), L"CreateFileW", path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) ThrowFileError(GetLastError(), L"GetFileSizeEx", path);
    if (size.QuadPart > std::numeric_limits<DWORD>::max()) {
      ThrowFileError(ERROR_FILE_TOO_LARGE, L"ReadFile", path);
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      ThrowFileError(GetLastError(), L"ReadFile", path);
    }
    if (read != bytes.size()) ThrowFileError(ERROR_HANDLE_EOF, L"ReadFile", path);
    return bytes;
  });
}

void MailSenderHostWin::WriteFileWhole(const std::wstring& path, std::string_view bytes) {
  ReportingFileErrors([&] {
    const std::wstring temporary = path + L".tmp";
    FileWriter writer(temporary);
    writer.Write(bytes.data(), bytes.size());
    writer.Commit();
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      const DWORD code = GetLastError();
      DeleteFileW(temporary.c_str());
      ThrowFileError(code, L"MoveFileExW", path);
    }
  });
}

MessageStamp MailSenderHostWin::Stamp() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  wchar_t token[64] = {};
  std::swprintf(token, std::size(token), L"%04u%02u%02u%02u%02u%02u%03u.%lu.%lu", t.wYear, t.wMonth,
                t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, GetCurrentProcessId(),
                GetTickCount());
  return MessageStamp{{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond},
                      UtcOffsetMinutes(),
                      std::string(token, token + std::wcslen(token))};
}

void MailSenderHostWin::EnterCom() {
  if (!com_) com_.emplace();
}

bool MailSenderHostWin::OpenWithAssociatedProgram(const std::wstring& path) {
  EnterCom();
  // No "open with" question: where nothing is associated the caller shows
  // the file in its folder instead.
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpFile = path.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

void MailSenderHostWin::ShowInFolder(const std::wstring& path) noexcept {
  EnterCom();
  UniqueItemIdList item;
  if (SUCCEEDED(SHParseDisplayName(path.c_str(), nullptr, item.put(), 0, nullptr))) {
    SHOpenFolderAndSelectItems(item.get(), 0, nullptr, 0);
  }
}

}  // namespace vistrane
