#pragma once
// Simple MAPI in mapi32.dll: the system's way to the user's mail client.
// Loaded while the attachment is packed, and kept for the run.
#include <windows.h>

#include "mailsend/mail_client.h"
#include "mailsend/simple_mapi_structs_win.h"
#include "platform/unique_handle.h"

namespace vistrane {

// The client's own answers (a failed logon or send, the user's cancel) throw
// MailClientRefused. Where no client can be asked (none registered, mapi32.dll
// or its functions missing, an attachment path with no form in the ANSI code
// page for an ANSI-only mapi32) NoMailClient is thrown.
class SimpleMapi final : public MailClient {
 public:
  // Asks the registry whether a default mail client is registered.
  SimpleMapi();

  // Where a default mail client is registered, loads mapi32.dll (and with it
  // the mail client's own libraries) while the run packs the attachment. Not
  // before: the loading keeps the system busy, and the run's own steps up to
  // the packing (settings, opening the image) would wait for it. A library
  // that cannot be loaded is tried again, and reported, at SignOn.
  void Prepare() noexcept override;

  // MAPILogon with the mail client's logon dialog allowed, once a default
  // mail client is known to be registered.
  void SignOn() override;
  // MAPISendMailW where mapi32 has it, so that any text and path survives on
  // any system locale; else MAPISendMail in the ANSI code page.
  void Send(const MailDraft& draft) override;
  void SignOff() override;

 private:
  HMODULE Library();
  // The function, or NoMailClient when mapi32.dll lacks it.
  template <typename Function>
  Function Required(const char* name);

  bool registered_;
  UniqueHmodule library_;
  simple_mapi::LHANDLE session_ = 0;
  bool signedOn_ = false;
};

}  // namespace vistrane
