#include "mailsend/simple_mapi_win.h"

#include "mailsend/simple_mapi_structs_win.h"
#include "platform/ansi_text.h"
#include "platform/dll_binding.h"
#include "platform/win32_error.h"
#include "shared/errors.h"

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
    if (!ansi.exact) throw MapiError(MAPI_E_ATTACHMENT_NOT_FOUND, "MAPISendMail");
    text.attachments.push_back(std::move(ansi.text));
  }
  return text;
}

template <typename Char>
ULONG SendDraft(SendMailFunction<Char> send, LHANDLE session, DraftText<Char>& text, FLAGS flags) {
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
  return send(session, 0, &message, flags, 0);
}

void Check(ULONG result, const char* call) {
  if (result != SUCCESS_SUCCESS) throw MapiError(result, call);
}

}  // namespace

HMODULE SimpleMapi::Library() {
  if (library_) return library_.get();
  try {
    library_ = LoadLibraryFrom(L"mapi32.dll", LOAD_LIBRARY_SEARCH_SYSTEM32);
  } catch (const Win32Error& e) {
    throw UserFacingError(
        WithReason(L"「mapi32.dll」を読み込めませんでした。", Win32ErrorText(e.code())));
  }
  return library_.get();
}

SimpleMapi::Session SimpleMapi::Logon() {
  const auto logon = ExportedFunction<LogonFunction>(Library(), "MAPILogon");
  if (logon == nullptr) throw MapiError(MAPI_E_NOT_SUPPORTED, "MAPILogon");
  LHANDLE session = 0;
  Check(logon(0, nullptr, nullptr, MAPI_LOGON_UI, 0, &session), "MAPILogon");
  return session;
}

void SimpleMapi::Logoff(Session session) {
  const auto logoff = ExportedFunction<LogoffFunction>(Library(), "MAPILogoff");
  if (logoff == nullptr) throw MapiError(MAPI_E_NOT_SUPPORTED, "MAPILogoff");
  Check(logoff(session, 0, 0, 0), "MAPILogoff");
}

void SimpleMapi::SendMail(Session session, const MailDraft& draft, bool dialog) {
  const FLAGS flags = dialog ? MAPI_DIALOG : 0;
  if (const auto sendW = ExportedFunction<SendMailFunction<wchar_t>>(Library(), "MAPISendMailW")) {
    DraftText<wchar_t> text{draft.recipName, draft.recipAddress, draft.subject, draft.note,
                            draft.attachments};
    Check(SendDraft(sendW, session, text, flags), "MAPISendMailW");
    return;
  }
  const auto sendA = ExportedFunction<SendMailFunction<char>>(Library(), "MAPISendMail");
  if (sendA == nullptr) throw MapiError(MAPI_E_NOT_SUPPORTED, "MAPISendMail");
  DraftText<char> text = AnsiDraft(draft);
  Check(SendDraft(sendA, session, text, flags), "MAPISendMail");
}

}  // namespace vistrane
