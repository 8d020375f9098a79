#include "mailsend/mapi_messages_win.h"

#include <stdexcept>

namespace vistrane {

void MapiMessagesWin::AttachmentIndex(std::int32_t index) {
  if (index < 0) throw std::out_of_range("negative attachment index");
  attachmentIndex_ = static_cast<std::size_t>(index);
}

void MapiMessagesWin::AttachmentPathName(const std::wstring& path) {
  if (draft_.attachments.size() <= attachmentIndex_) draft_.attachments.resize(attachmentIndex_ + 1);
  draft_.attachments[attachmentIndex_] = path;
}

void MapiMessagesWin::Send(bool dialog) {
  mapi_.SendMail(static_cast<SimpleMapi::Session>(session_), draft_, dialog);
}

}  // namespace vistrane
