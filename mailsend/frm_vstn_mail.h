#pragma once
// frmVstnMail: one run of VstnMailSend. It mails the image named by the
// setting tmpfile (packed into an LHA archive when it is a bitmap and
// compression is on) through the mail client's send dialog, then deletes the
// image and the archive.
#include <string>
#include <string_view>

#include "mailsend/archiver.h"
#include "mailsend/mail_client.h"
#include "mailsend/mail_sender_host.h"
#include "shared/settings_store.h"

namespace vistrane {

inline constexpr wchar_t kArchiverMissingMessage[] =
    L"「UnLha32.Dll」がインストールされていないので、圧縮処理はされません。";
inline constexpr wchar_t kArchiveFailedMessage[] =
    L"「UnLha32.Dll」で圧縮できなかったので、圧縮処理はされません。";
inline constexpr wchar_t kNoImageMessage[] =
    L"送信する画像ファイルが設定「tmpfile」にないので、メールは送信されません。";
inline constexpr wchar_t kRemoveFailedMessage[] = L"メール用のファイルを削除できませんでした。";
inline constexpr wchar_t kMailFailedMessage[] = L"メールを送信できませんでした。";

class FrmVstnMail {
 public:
  FrmVstnMail(SettingsStore& store, MailSenderHost& host, Archiver& archiver, MailClient& mail)
      : store_(store), host_(host), archiver_(archiver), mail_(mail) {}

  // The whole run. After the working-set trim every failure ends in the
  // closing steps (sign off, delete the image and the archive), each of them
  // attempted whatever happened to the others. A logon or send the mail
  // client refused and the user's cancel show nothing: the client has already
  // said what it had to. Any other failure is reported, and the image is kept
  // where the message says. Never throws.
  void Form_Load() noexcept;

 private:
  void SendCapture();
  // A failure to pack is reported and the bitmap mailed as it is.
  void CompressAttachment();
  void GiveUpArchive(std::wstring_view reason);
  void GiveUpMail(std::wstring_view reason) noexcept;
  void CloseRun() noexcept;
  void RemoveReporting(const std::wstring& path) noexcept;
  // The message box, naming where the image was left when one was; a box
  // that cannot be shown is given up on.
  void Report(std::wstring_view message, std::wstring_view reason = {},
              std::wstring_view keptImage = {}) noexcept;

  SettingsStore& store_;
  MailSenderHost& host_;
  Archiver& archiver_;
  MailClient& mail_;

  std::wstring TmpFile;
  std::wstring LzhFile;  // empty unless an archive was made
  bool keepImage_ = false;
};

}  // namespace vistrane
