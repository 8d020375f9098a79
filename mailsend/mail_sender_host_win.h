#pragma once
// The mail sender's host on Windows: no window of its own, so its message
// boxes have no owner.
#include <optional>

#include "mailsend/mail_sender_host.h"
#include "platform/com_apartment.h"

namespace vistrane {

class MailSenderHostWin final : public MailSenderHost {
 public:
  void TrimWorkingSet() noexcept override;
  void RunBeside(const std::function<void()>& aside, const std::function<void()>& here) override;
  bool FileExists(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void ShowError(const std::wstring& text) override;
  std::vector<unsigned char> ReadWholeFile(const std::wstring& path) override;
  void WriteFileWhole(const std::wstring& path, std::string_view bytes) override;
  MessageStamp Stamp() override;
  bool OpenWithAssociatedProgram(const std::wstring& path) override;
  void ShowInFolder(const std::wstring& path) noexcept override;

 private:
  // The shell's file associations and folder windows run on COM. It is
  // entered only for them: a run that mails, the usual one, is spared the
  // start of COM and of the window system that comes with it.
  void EnterCom();
  std::optional<ComApartment> com_;
};

}  // namespace vistrane
