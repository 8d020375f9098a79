#include "mailsend/mail_sender_host_win.h"

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/working_set.h"

namespace vistrane {

void MailSenderHostWin::TrimWorkingSet() noexcept { vistrane::TrimWorkingSet(); }

bool MailSenderHostWin::FileExists(const std::wstring& path) { return PathExists(path); }

void MailSenderHostWin::RemoveFile(const std::wstring& path) { DeleteFileIfExists(path); }

void MailSenderHostWin::ShowError(const std::wstring& text) { ShowErrorMessage(nullptr, text); }

}  // namespace vistrane
