#include "mailsend/mail_sender_host_win.h"

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/working_set.h"

namespace vistrane {

void MailSenderHostWin::TrimWorkingSet() noexcept { vistrane::TrimWorkingSet(); }

void MailSenderHostWin::RemoveFile(const std::wstring& path) { DeleteFileIfExists(path); }

void MailSenderHostWin::ShowError(const std::wstring& text) { ShowErrorMessage(nullptr, text); }

}  // namespace vistrane
