// The recording mail client. mapi32.dll hands it every Simple MAPI call once
// it is registered as the default mail client (HKLM\Software\Clients\Mail).
// Each call becomes one JSON line in mapi_calls.jsonl beside the DLL, with the
// recipients, subject, note and attachments; every attachment is copied
// there as it is at the moment of the call (attachment-<n>-<name>), since the
// sender deletes it right afterwards.
//
// The value "SendResult" (decimal text) under the client's registry key, when
// present, is what MAPISendMail returns: 1 stands for the user's cancel, 2 for
// a failure.
//
// OpenDraftW, rundll32's entry, stands for the program that opens draft
// e-mail files: it records the path it is handed in opened_drafts.jsonl.
#include <windows.h>

#include <cwchar>
#include <string>

#include "mailsend/simple_mapi_structs_win.h"
#include "platform/win32_error.h"
#include "tests/e2e/driver/json_text.h"
#include "tools/common/file_output.h"

namespace {

using vistrane::vtest::JsonString;
using namespace vistrane::simple_mapi;  // the names as the Simple MAPI documentation spells them

constexpr wchar_t kClientKey[] = L"Software\\Clients\\Mail\\Vistrane Test Mail";
constexpr LHANDLE kSession = 0x5eed;

std::wstring OwnFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&OwnFolder), &self)) {
    vistrane::ThrowLastError(L"GetModuleHandleExW");
  }
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length == path.size()) vistrane::ThrowLastError(L"GetModuleFileNameW");
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\'));
}

void Record(const std::wstring& line, const wchar_t* log = L"mapi_calls.jsonl") {
  vistrane::tools::AppendUtf8File(OwnFolder() + L"\\" + log, line + L"\n");
}

std::wstring Wide(const wchar_t* text) { return text; }
std::wstring Wide(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(length > 0 ? length : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

template <typename Char>
std::wstring Json(const Char* text) {
  return text == nullptr ? L"null" : JsonString(Wide(text));
}

ULONG ConfiguredSendResult() {
  wchar_t text[32] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kClientKey, L"SendResult", RRF_RT_REG_SZ, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return SUCCESS_SUCCESS;
  }
  return static_cast<ULONG>(std::wcstoul(text, nullptr, 10));
}

std::wstring FileName(const std::wstring& path) {
  const auto separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

// The attachment as it is now: whether it exists, and a copy of it.
std::wstring AttachmentRecord(std::size_t number, const std::wstring& path, const std::wstring& name,
                              ULONG position) {
  const bool existed = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::wstring copy;
  if (existed) {
    copy = OwnFolder() + L"\\attachment-" + std::to_wstring(number) + L"-" + FileName(path);
    if (!CopyFileW(path.c_str(), copy.c_str(), FALSE)) copy.clear();
  }
  return L"{\"path\": " + JsonString(path) + L", \"name\": " + name +
         L", \"position\": " + std::to_wstring(static_cast<long>(position)) +
         L", \"existed\": " + (existed ? L"true" : L"false") +
         L", \"copy\": " + (copy.empty() ? L"null" : JsonString(copy)) + L"}";
}

template <typename Char>
ULONG RecordSend(const char* call, LHANDLE session, ULONG_PTR window,
                 Message<Char>* message, FLAGS flags) {
  std::wstring line = L"{\"call\": " + JsonString(Wide(call)) + L", \"session\": " +
                      std::to_wstring(session) + L", \"window\": " + std::to_wstring(window) +
                      L", \"flags\": " + std::to_wstring(flags);
  if (message != nullptr) {
    line += L", \"subject\": " + Json(message->lpszSubject) + L", \"note\": " +
            Json(message->lpszNoteText) + L", \"recipients\": [";
    for (ULONG i = 0; i < message->nRecipCount; ++i) {
      const auto& recipient = message->lpRecips[i];
      line += (i > 0 ? L", " : L"") + std::wstring(L"{\"class\": ") +
              std::to_wstring(recipient.ulRecipClass) + L", \"name\": " + Json(recipient.lpszName) +
              L", \"address\": " + Json(recipient.lpszAddress) + L"}";
    }
    line += L"], \"attachments\": [";
    for (ULONG i = 0; i < message->nFileCount; ++i) {
      const auto& file = message->lpFiles[i];
      const std::wstring path = file.lpszPathName == nullptr ? L"" : Wide(file.lpszPathName);
      line += (i > 0 ? L", " : L"") + AttachmentRecord(i, path, Json(file.lpszFileName), file.nPosition);
    }
    line += L"]";
  }
  const ULONG result = ConfiguredSendResult();
  Record(line + L", \"result\": " + std::to_wstring(result) + L"}");
  return result;
}

}  // namespace

// No exception leaves these: each failure is answered as MAPI_E_FAILURE.
extern "C" {

ULONG WINAPI MAPILogon(ULONG_PTR window, LPSTR profile, LPSTR password, FLAGS flags, ULONG,
                       LHANDLE* session) {
  try {
    Record(L"{\"call\": \"MAPILogon\", \"window\": " + std::to_wstring(window) +
           L", \"profile\": " + Json(profile) + L", \"password\": " + Json(password) +
           L", \"flags\": " + std::to_wstring(flags) + L"}");
    *session = kSession;
    return SUCCESS_SUCCESS;
  } catch (...) {
    return MAPI_E_FAILURE;
  }
}

ULONG WINAPI MAPILogoff(LHANDLE session, ULONG_PTR, FLAGS flags, ULONG) {
  try {
    Record(L"{\"call\": \"MAPILogoff\", \"session\": " + std::to_wstring(session) +
           L", \"flags\": " + std::to_wstring(flags) + L"}");
    return session == kSession ? SUCCESS_SUCCESS : MAPI_E_INVALID_SESSION;
  } catch (...) {
    return MAPI_E_FAILURE;
  }
}

ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR window, Message<char>* message,
                          FLAGS flags, ULONG) {
  try {
    return RecordSend("MAPISendMail", session, window, message, flags);
  } catch (...) {
    return MAPI_E_FAILURE;
  }
}

ULONG WINAPI MAPISendMailW(LHANDLE session, ULONG_PTR window,
                           Message<wchar_t>* message, FLAGS flags, ULONG) {
  try {
    return RecordSend("MAPISendMailW", session, window, message, flags);
  } catch (...) {
    return MAPI_E_FAILURE;
  }
}

void CALLBACK OpenDraftW(HWND, HINSTANCE, LPWSTR commandLine, int) {
  try {
    std::wstring path = commandLine == nullptr ? L"" : commandLine;
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
      path = path.substr(1, path.size() - 2);
    }
    Record(L"{\"path\": " + JsonString(path) + L"}", L"opened_drafts.jsonl");
  } catch (...) {
    // Nothing recorded: the scenario waiting for the line says so.
  }
}

}  // extern "C"
