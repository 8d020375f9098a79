#include "mailsend/frm_vstn_mail.h"

#include <cstdint>

#include "mailsend/archiver_command.h"
#include "mailsend/draft_message.h"
#include "mailsend/vstn_mail_cmn.h"
#include "mailsend/zip_archive.h"
#include "shared/errors.h"
#include "shared/output_modes.h"
#include "shared/setting_keys.h"
#include "shared/setting_text.h"

namespace vistrane {
namespace {

// The reason given for a failure that carries no text of its own.
constexpr wchar_t kUnexpectedFailure[] = L"予期しないエラーが発生しました。";

// A stored setting the run cannot work with. The image is kept, and the
// message says where.
class UnusableSetting : public UserFacingError {
 public:
  using UserFacingError::UserFacingError;
};

// The end of every message that leaves the image in place.
std::wstring KeptAt(std::wstring_view image) {
  return L"\n画像ファイルは次の場所に残してあります。\n" + std::wstring(image);
}

std::int16_t StoredNumber(std::wstring_view key, const std::wstring& text,
                          const std::wstring& image) {
  if (const auto value = ParseInt16(text)) return *value;
  throw UnusableSetting(L"設定「" + std::wstring(key) + L"」の値「" + text +
                        L"」が正しくないので、メールは送信されません。" + KeptAt(image));
}

}  // namespace

void FrmVstnMail::Form_Load() noexcept {
  host_.TrimWorkingSet();
  try {
    SendCapture();
  } catch (const UnusableSetting& e) {
    keepImage_ = true;
    Report(e.message());
  } catch (const MailClientRefused&) {
    // The client refused the logon or the send, or the user cancelled.
  } catch (const UserFacingError& e) {
    GiveUpMail(e.message());
  } catch (...) {
    GiveUpMail(kUnexpectedFailure);
  }
  CloseRun();
}

void FrmVstnMail::SendCapture() {
  // Read in this order, all before any is used; one the store cannot read
  // fails the run.
  const std::wstring MailAdd = ReadSettingText(store_, keys::MailAdd);
  const std::wstring MailKenmei = ReadSettingText(store_, keys::MailKenmei);
  const std::wstring MailNote = ReadSettingText(store_, keys::MailNote);
  const std::wstring MailComp = ReadSettingText(store_, keys::MailComp);
  TmpFile = ReadSettingText(store_, keys::tmpfile);
  const std::wstring OutputFileMode = ReadSettingText(store_, keys::OutputFileMode);
  // DirName is not read: the archive goes beside the image, wherever the
  // resident program wrote it.

  if (TmpFile.empty()) throw UnusableSetting(kNoImageMessage);
  const std::int16_t compress = StoredNumber(keys::MailComp, MailComp, TmpFile);
  const std::int16_t fileMode = StoredNumber(keys::OutputFileMode, OutputFileMode, TmpFile);

  // The user can correct a missing recipient in the send dialog; some mail
  // clients refuse an empty note.
  const std::wstring recipient = MailAdd.empty() ? L"@" : MailAdd;
  const std::wstring note = MailNote.empty() ? L" " : MailNote;

  LzhFile.clear();
  // Only bitmaps are packed: a JPEG or PNG is compressed already.
  const MailPacking packing = fileMode == 1 ? MailPackingOf(compress) : MailPacking::None;
  if (packing == MailPacking::None) {
    mail_.Prepare();
  } else {
    // The packing does not wait for the mail client's libraries, nor they
    // for it.
    host_.RunBeside(
        [&] { packing == MailPacking::Lha ? CompressAttachment() : ZipAttachment(); },
        [&] { mail_.Prepare(); });
  }
  const std::wstring& attachment = LzhFile.empty() ? TmpFile : LzhFile;

  try {
    mail_.SignOn();
    mail_.Send(MailDraft{recipient, recipient, MailKenmei, note, {attachment}});
    return;
  } catch (const MailClientRefused& answer) {
    if (answer.userCancelled()) return;
  } catch (const NoMailClient&) {
    // As a refusal: the draft below.
  }
  // The stored texts, not the stand-ins a mail client needs for empty ones.
  WriteDraft({MailAdd, MailKenmei, MailNote, FileNameOf(attachment), {}}, attachment);
}

void FrmVstnMail::WriteDraft(DraftContent content, const std::wstring& attachment) {
  const std::wstring draft = WithImageExtension(TmpFile, L".eml");
  try {
    const std::vector<unsigned char> bytes = host_.ReadWholeFile(attachment);
    content.attachment = bytes;
    host_.WriteFileWhole(draft, DraftMessage(content, host_.Stamp()));
  } catch (const UserFacingError& e) {
    keepImage_ = true;
    Report(kDraftFailedMessage, e.message(), TmpFile);
    return;
  }
  // The draft holds the attachment: the mail copy and the archive go as after
  // a sent mail.
  if (host_.OpenWithAssociatedProgram(draft)) return;
  host_.ShowInFolder(draft);
  Report(kDraftSavedMessage + draft);
}

void FrmVstnMail::CompressAttachment() {
  try {
    const ArchiverCommand command = BuildArchiverCommand(TmpFile);
    RefuseExisting(command.archiveName);
    LzhFile = command.archiveName;
    archiver_.Unlha(command.commandLine);
  } catch (const ArchiverMissing&) {
    LzhFile.clear();
    Report(kArchiverMissingMessage);
  } catch (const ArchiveFailed& failure) {
    GiveUpArchive(kArchiveFailedMessage, failure.reason());
  } catch (...) {
    GiveUpArchive(kArchiveFailedMessage, kUnexpectedFailure);
  }
}

void FrmVstnMail::ZipAttachment() {
  try {
    const std::wstring archive = ArchiveNameFor(TmpFile, L".zip");
    RefuseExisting(archive);
    const std::vector<std::uint8_t> image = host_.ReadWholeFile(TmpFile);
    const std::vector<std::uint8_t> zip =
        ZipOneFile(FileNameOf(TmpFile), image, host_.Stamp().local);
    // The host writes the whole archive or nothing under its name, so only
    // an archive that is complete is this run's to mail and remove.
    host_.WriteFileWhole(archive, {reinterpret_cast<const char*>(zip.data()), zip.size()});
    LzhFile = archive;
  } catch (const ArchiveFailed& failure) {
    GiveUpArchive(kZipFailedMessage, failure.reason());
  } catch (const UserFacingError& failure) {
    GiveUpArchive(kZipFailedMessage, failure.message());
  } catch (...) {
    GiveUpArchive(kZipFailedMessage, kUnexpectedFailure);
  }
}

void FrmVstnMail::RefuseExisting(const std::wstring& archive) {
  // The run packs only into an archive it creates: updating one that is
  // there would mail its other members, and the closing steps would delete
  // a file this run did not make.
  if (host_.FileExists(archive)) {
    throw ArchiveFailed(L"書庫「" + archive + L"」が既にあるので、そのまま残します。");
  }
}

void FrmVstnMail::GiveUpArchive(std::wstring_view message, std::wstring_view reason) {
  // LzhFile names the archive once the archiver may have run, which it only
  // does when no file of that name was there: whatever it left behind is
  // this run's, not mailed but removed.
  const std::wstring partial = LzhFile;
  LzhFile.clear();
  Report(message, reason);
  if (!partial.empty()) RemoveReporting(partial);
}

void FrmVstnMail::GiveUpMail(std::wstring_view reason) noexcept {
  // No answer came from the mail client: the capture stays, for the user to
  // send another way.
  keepImage_ = true;
  Report(kMailFailedMessage, reason, TmpFile);
}

void FrmVstnMail::CloseRun() noexcept {
  try {
    mail_.SignOff();
  } catch (...) {
    // Nothing is left to do with a session that cannot be closed.
  }
  if (!keepImage_ && !TmpFile.empty()) RemoveReporting(TmpFile);
  if (!LzhFile.empty()) RemoveReporting(LzhFile);
}

void FrmVstnMail::RemoveReporting(const std::wstring& path) noexcept {
  try {
    host_.RemoveFile(path);
  } catch (...) {
    try {
      host_.ShowError(kRemoveFailedMessage + (L"\n" + path));
    } catch (...) {
      // No box either: the file stays where the message would have named it.
    }
  }
}

void FrmVstnMail::Report(std::wstring_view message, std::wstring_view reason,
                         std::wstring_view keptImage) noexcept {
  try {
    std::wstring text = WithReason(std::wstring(message), reason);
    if (!keptImage.empty()) text += KeptAt(keptImage);
    host_.ShowError(text);
  } catch (...) {
    // No box either: nothing is left to tell the user with.
  }
}

}  // namespace vistrane
