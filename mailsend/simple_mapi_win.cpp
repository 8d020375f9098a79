#include "mailsend/simple_mapi_win.h"

#include <string>
#include <vector>

#include "platform/ansi_text.h"
#include "platform/dll_binding.h"
#include "platform/registry_values.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

using namespace simple_mapi;  // the names as the Simple MAPI documentation spells them

// Not placed in the note text.
constexpr ULONG kNoPosition = static_cast<ULONG>(-1);

template <typename Char>
struct DraftText {
  std::basic_string<Char> recipName;
  std::basic_string<Char> recipAddress;
  std::basic_string<Char> subject;
  std::basic_string<Char> note;
  std::vector<std::basic_string<Char>> attachments;
};

DraftText<char> AnsiDraft(const MailDraft& draft) {
  DraftText<char> text{ToAnsi(draft.recipName).text, ToAnsi(draft.recipAddress).text,
                       ToAnsi(draft.subject).text, ToAnsi(draft.note).text, {}};
  for (const auto& path : draft.attachments) {
    AnsiText ansi = ToAnsi(path);
    // A path with a lost character would name another file, or none.
    if (!ansi.exact) throw NoMailClient("the attachment's path has no ANSI form");
    text.attachments.push_back(std::move(ansi.text));
  }
  return text;
}

template <typename Char>
ULONG SendDraft(SendMailFunction<Char> send, LHANDLE session, DraftText<Char>& text) {
  RecipDesc<Char> recipient{};
  recipient.ulRecipClass = MAPI_TO;
  recipient.lpszName = text.recipName.data();
  recipient.lpszAddress = text.recipAddress.data();

  std::vector<FileDesc<Char>> files(text.attachments.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    files[i].nPosition = kNoPosition;
    files[i].lpszPathName = text.attachments[i].data();
  }

  Message<Char> message{};
  message.lpszSubject = text.subject.data();
  message.lpszNoteText = text.note.data();
  const bool hasRecipient = !text.recipName.empty() || !text.recipAddress.empty();
  message.nRecipCount = hasRecipient ? 1 : 0;
  message.lpRecips = hasRecipient ? &recipient : nullptr;
  message.nFileCount = static_cast<ULONG>(files.size());
  message.lpFiles = files.empty() ? nullptr : files.data();
  return send(session, 0, &message, MAPI_DIALOG, 0);
}

// The mail client's answer.
void Check(ULONG result, const char* call) {
  if (result != SUCCESS_SUCCESS) {
    throw MailClientRefused(
        std::string(call) + " failed with MAPI result " + std::to_string(result),
        result == MAPI_USER_ABORT);
  }
}

// A default mail client is registered for this user or for the machine.
// Asked before mapi32.dll is, so that the system's own "no mail client" box
// never shows.
bool MailClientRegistered() {
  constexpr wchar_t kClients[] = L"Software\\Clients\\Mail";
  for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    try {
      const auto name = ReadRegistryText(root, kClients, nullptr);
      if (name && !name->empty()) return true;
    } catch (const Win32Error&) {
      // A default value that cannot be read as text names no client.
    }
  }
  return false;
}

UniqueHmodule LoadMapi() { return LoadLibraryFrom(L"mapi32.dll", LOAD_LIBRARY_SEARCH_SYSTEM32); }

}  // namespace

SimpleMapi::SimpleMapi() : registered_(MailClientRegistered()) {}

void SimpleMapi::Prepare() noexcept {
  if (!registered_) return;
  try {
    Library();
  } catch (...) {
    // SignOn loads it again and reports what stops it.
  }
}

HMODULE SimpleMapi::Library() {
  if (library_) return library_.get();
  try {
    library_ = LoadMapi();
  } catch (const Win32Error& e) {
    throw NoMailClient(e.what());
  }
  return library_.get();
}

template <typename Function>
Function SimpleMapi::Required(const char* name) {
  const auto function = ExportedFunction<Function>(Library(), name);
  if (function == nullptr) throw NoMailClient(std::string("mapi32.dll has no ") + name);
  return function;
}

void SimpleMapi::SignOn() {
  if (!registered_) throw NoMailClient("no mail client is registered");
  const auto logon = Required<LogonFunction>("MAPILogon");
  LHANDLE session = 0;
  Check(logon(0, nullptr, nullptr, MAPI_LOGON_UI, 0, &session), "MAPILogon");
  session_ = session;
  signedOn_ = true;
}

void SimpleMapi::Send(const MailDraft& draft) {
  if (const auto sendW = ExportedFunction<SendMailFunction<wchar_t>>(Library(), "MAPISendMailW")) {
    DraftText<wchar_t> text{draft.recipName, draft.recipAddress, draft.subject, draft.note,
                            draft.attachments};
    Check(SendDraft(sendW, session_, text), "MAPISendMailW");
    return;
  }
  const auto sendA = Required<SendMailFunction<char>>("MAPISendMail");
  DraftText<char> text = AnsiDraft(draft);
  Check(SendDraft(sendA, session_, text), "MAPISendMail");
}

void SimpleMapi::SignOff() {
  if (!signedOn_) return;
  signedOn_ = false;
  Check(Required<LogoffFunction>("MAPILogoff")(session_, 0, 0, 0), "MAPILogoff");
}

}  // namespace vistrane
