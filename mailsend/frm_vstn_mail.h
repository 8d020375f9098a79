#pragma once
// frmVstnMail: one run of VstnMailSend. It mails the image named by the
// setting tmpfile (packed into an LHA or a ZIP archive when it is a bitmap
// and MailComp asks for it) through the mail client's send dialog, then
// deletes the image and the archive. Where no mail client takes the message
// it is written beside the image as a draft e-mail file (".eml") and opened
// with the program the system has for such files.
#include <string>
#include <string_view>

#include "mailsend/archiver.h"
#include "mailsend/draft_message.h"
#include "mailsend/mail_client.h"
#include "mailsend/mail_sender_host.h"
#include "shared/settings_store.h"

namespace vistrane {

inline constexpr wchar_t kArchiverMissingMessage[] =
    L"「UnLha32.Dll」がインストールされていないので、圧縮処理はされません。";
inline constexpr wchar_t kArchiveFailedMessage[] =
    L"「UnLha32.Dll」で圧縮できなかったので、圧縮処理はされません。";
inline constexpr wchar_t kZipFailedMessage[] =
    L"ＺＩＰで圧縮できなかったので、圧縮処理はされません。";
inline constexpr wchar_t kNoImageMessage[] =
    L"送信する画像ファイルが設定「tmpfile」にないので、メールは送信されません。";
inline constexpr wchar_t kRemoveFailedMessage[] = L"メール用のファイルを削除できませんでした。";
inline constexpr wchar_t kMailFailedMessage[] = L"メールを送信できませんでした。";
inline constexpr wchar_t kDraftFailedMessage[] =
    L"メールソフトに渡せなかったメールを、下書きのファイルに書き込めませんでした。";
inline constexpr wchar_t kDraftSavedMessage[] =
    L"メールソフトに渡せなかったので、メールを下書きのファイルに保存しました。"
    L"このファイルは、どのメールソフトでも開いて送信できます。\n";

class FrmVstnMail {
 public:
  FrmVstnMail(SettingsStore& store, MailSenderHost& host, Archiver& archiver, MailClient& mail)
      : store_(store), host_(host), archiver_(archiver), mail_(mail) {}

  // The whole run. After the working-set trim every failure ends in the
  // closing steps (sign off, delete the image and the archive), each of them
  // attempted whatever happened to the others. The user's cancel shows
  // nothing; a refused logon or send, or no client at all, gives the draft
  // file. Any other failure is reported, and the image is kept where the
  // message says. Never throws.
  void Form_Load() noexcept;

 private:
  void SendCapture();
  // A failure to pack is reported and the bitmap mailed as it is.
  void CompressAttachment();
  // The message as a draft file beside the image, opened for the user; a
  // failure to write it keeps the image and says where.
  void WriteDraft(DraftContent content, const std::wstring& attachment);
  // MailComp 2: a ZIP archive beside the bitmap, written by the run itself.
  // A failure is reported and the bitmap mailed as it is.
  void ZipAttachment();
  // ArchiveFailed when a file has the archive's name already.
  void RefuseExisting(const std::wstring& archive);
  void GiveUpArchive(std::wstring_view message, std::wstring_view reason);
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
  std::wstring LzhFile;  // the archive, LHA or ZIP; empty unless one was made
  bool keepImage_ = false;
};

}  // namespace vistrane
