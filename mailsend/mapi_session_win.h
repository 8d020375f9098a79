#pragma once
// mapis: the messaging session over Simple MAPI.
#include "mailsend/messaging.h"
#include "mailsend/simple_mapi_win.h"

namespace vistrane {

class MapiSessionWin final : public MapiSession {
 public:
  explicit MapiSessionWin(SimpleMapi& mapi) : mapi_(mapi) {}

  void SignOn() override;
  // 0 before SignOn.
  MapiSessionHandle SessionID() const override { return session_; }
  void SignOff() override;

 private:
  SimpleMapi& mapi_;
  MapiSessionHandle session_ = 0;
  bool signedOn_ = false;
};

}  // namespace vistrane
