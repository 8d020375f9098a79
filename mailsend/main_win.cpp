// VstnMailSend: mails the capture that Vistrane named in the setting tmpfile
// and ends. No window of its own; the mail client shows the send dialog.
#include <windows.h>

#include "mailsend/frm_vstn_mail.h"
#include "mailsend/mail_sender_host_win.h"
#include "mailsend/simple_mapi_win.h"
#include "mailsend/unlha_archiver_win.h"
#include "platform/error_report.h"
#include "platform/registry_settings_store.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    vistrane::RegistrySettingsStore store;
    vistrane::MailSenderHostWin host;
    vistrane::UnlhaArchiver archiver;
    vistrane::SimpleMapi mail;
    vistrane::FrmVstnMail(store, host, archiver, mail).Form_Load();
  } catch (...) {
    vistrane::ReportCurrentException(nullptr);
    return 1;
  }
  return 0;
}
