#include "mailsend/mapi_session_win.h"

namespace vistrane {

void MapiSessionWin::SignOn() {
  session_ = static_cast<MapiSessionHandle>(mapi_.Logon());
  signedOn_ = true;
}

void MapiSessionWin::SignOff() {
  if (!signedOn_) return;
  signedOn_ = false;
  mapi_.Logoff(static_cast<SimpleMapi::Session>(session_));
}

}  // namespace vistrane
