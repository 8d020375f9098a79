#pragma once
// Simple MAPI in mapi32.dll: the system's way to the user's mail client.
// Loaded at the first call and kept for the run.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "mailsend/messaging.h"
#include "platform/unique_handle.h"

namespace vistrane {

// A Simple MAPI call that did not succeed, with its result (1 when the user
// cancelled).
class MapiError : public MessagingRefused {
 public:
  MapiError(ULONG code, const std::string& call)
      : MessagingRefused(call + " failed with MAPI result " + std::to_string(code)) {}
};

// One message as the mail client receives it: one recipient, the text and
// the attachments by path (each named after its file).
struct MailDraft {
  std::wstring recipName;
  std::wstring recipAddress;
  std::wstring subject;
  std::wstring note;
  std::vector<std::wstring> attachments;
};

class SimpleMapi {
 public:
  using Session = ULONG_PTR;

  // MAPILogon with the mail client's logon dialog allowed.
  Session Logon();
  void Logoff(Session session);
  // MAPISendMailW where mapi32 has it, so that any text and path survives on
  // any system locale; else MAPISendMail in the ANSI code page. With dialog
  // the client's send dialog shows the message and the call returns once it
  // is closed. Throws MapiError, or UserFacingError when mapi32.dll cannot be
  // loaded.
  void SendMail(Session session, const MailDraft& draft, bool dialog);

 private:
  HMODULE Library();

  UniqueHmodule library_;
};

}  // namespace vistrane
