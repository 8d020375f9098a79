#pragma once
// mapim: one message over Simple MAPI, gathered member by member and handed
// to the mail client by Send.
#include <cstdint>
#include <string>

#include "mailsend/messaging.h"
#include "mailsend/simple_mapi_win.h"

namespace vistrane {

class MapiMessagesWin final : public MapiMessages {
 public:
  explicit MapiMessagesWin(SimpleMapi& mapi) : mapi_(mapi) {}

  void SessionID(MapiSessionHandle session) override { session_ = session; }
  void Compose() override { draft_ = MailDraft{}; }
  void RecipDisplayName(const std::wstring& name) override { draft_.recipName = name; }
  void RecipAddress(const std::wstring& address) override { draft_.recipAddress = address; }
  void MsgSubject(const std::wstring& subject) override { draft_.subject = subject; }
  void MsgNoteText(const std::wstring& note) override { draft_.note = note; }
  // Throws std::out_of_range for a negative index.
  void AttachmentIndex(std::int32_t index) override;
  // Writes the selected attachment, adding it when the message has fewer.
  void AttachmentPathName(const std::wstring& path) override;
  // Throws MapiError when the client fails or the user cancels.
  void Send(bool dialog) override;

 private:
  SimpleMapi& mapi_;
  MapiSessionHandle session_ = 0;
  MailDraft draft_;
  std::size_t attachmentIndex_ = 0;
};

}  // namespace vistrane
