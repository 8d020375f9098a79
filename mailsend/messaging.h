#pragma once
// The messaging layer: a session (mapis) and a message composed member by
// member and sent (mapim). Every member throws MessagingRefused when the
// messaging system refuses, the user's cancel of the send dialog included, so
// that one handler takes the run to its closing steps. Any other exception is
// a failure to reach the messaging system at all.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vistrane {

// The messaging system answered a call with a failure, or the user cancelled.
// The mail client has shown what it had to say.
class MessagingRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Pointer-sized, as the system's session handle is: a 64-bit handle is kept whole.
using MapiSessionHandle = std::uintptr_t;

// mapis
class MapiSession {
 public:
  virtual ~MapiSession() = default;
  // Opens a session; the mail client's own logon dialog may appear.
  virtual void SignOn() = 0;
  virtual MapiSessionHandle SessionID() const = 0;
  // Closes the session; without one there is nothing to close.
  virtual void SignOff() = 0;
};

// mapim. The setters are named after the properties they write.
class MapiMessages {
 public:
  virtual ~MapiMessages() = default;
  virtual void SessionID(MapiSessionHandle session) = 0;
  // Starts a new, empty message.
  virtual void Compose() = 0;
  virtual void RecipDisplayName(const std::wstring& name) = 0;
  virtual void RecipAddress(const std::wstring& address) = 0;
  virtual void MsgSubject(const std::wstring& subject) = 0;
  virtual void MsgNoteText(const std::wstring& note) = 0;
  // Selects the attachment the next AttachmentPathName writes.
  virtual void AttachmentIndex(std::int32_t index) = 0;
  virtual void AttachmentPathName(const std::wstring& path) = 0;
  // With dialog, the mail client's send dialog shows the message; returns
  // once the dialog is closed.
  virtual void Send(bool dialog) = 0;
};

}  // namespace vistrane
