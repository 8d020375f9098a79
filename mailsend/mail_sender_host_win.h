#pragma once
// The mail sender's host on Windows: no window of its own, so its message
// boxes have no owner.
#include "mailsend/mail_sender_host.h"

namespace vistrane {

class MailSenderHostWin final : public MailSenderHost {
 public:
  void TrimWorkingSet() noexcept override;
  bool FileExists(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void ShowError(const std::wstring& text) override;
};

}  // namespace vistrane
