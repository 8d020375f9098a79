#pragma once
// The mail client as the run sees it: a session, and one message handed to the
// client's send dialog.
#include <stdexcept>
#include <string>
#include <vector>

namespace vistrane {

// One message as the mail client receives it: one recipient, the text and
// the attachments by path (each named after its file).
struct MailDraft {
  std::wstring recipName;
  std::wstring recipAddress;
  std::wstring subject;
  std::wstring note;
  std::vector<std::wstring> attachments;
};

// The mail client answered with a failure, or the user cancelled its dialog.
class MailClientRefused : public std::runtime_error {
 public:
  MailClientRefused(const std::string& what, bool userCancelled)
      : std::runtime_error(what), userCancelled_(userCancelled) {}
  bool userCancelled() const noexcept { return userCancelled_; }

 private:
  bool userCancelled_;
};

// There is no mail client to hand the draft to: none is registered, or the
// system's mail interface is missing or cannot take this draft.
class NoMailClient : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every member throws MailClientRefused for the client's own answer and
// NoMailClient where no client can be asked; any other exception is a
// failure of the run itself.
class MailClient {
 public:
  virtual ~MailClient() = default;
  // The run has read what it needs and packs the attachment on another
  // thread meanwhile: a client that has libraries to load loads them here, to
  // be ready by SignOn. Never throws; a failure shows at SignOn.
  virtual void Prepare() noexcept {}
  // Opens a session; the client's own logon dialog may appear.
  virtual void SignOn() = 0;
  // Shows the draft in the client's send dialog of the open session and
  // returns once the dialog is closed.
  virtual void Send(const MailDraft& draft) = 0;
  // Closes the session; without one there is nothing to close.
  virtual void SignOff() = 0;
};

}  // namespace vistrane
