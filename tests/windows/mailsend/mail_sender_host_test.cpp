// RunBeside: the work aside runs while the calling thread's part does, and
// the call returns only once both have ended, with the failure of either.
#include "mailsend/mail_sender_host_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "platform/unique_handle.h"

namespace vistrane {
namespace {

using UniqueEvent = UniqueHandle<HANDLE, CloseHandle>;

TEST(MailSenderHostWin, RunBesideRunsBothAtOnceAndWaitsForTheWorkAside) {
  MailSenderHostWin host;
  const UniqueEvent asideStarted(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const UniqueEvent hereEnding(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  bool hereSawAside = false, asideSawHere = false;
  host.RunBeside(
      [&] {
        SetEvent(asideStarted.get());
        asideSawHere = WaitForSingleObject(hereEnding.get(), 10000) == WAIT_OBJECT_0;
      },
      [&] {
        hereSawAside = WaitForSingleObject(asideStarted.get(), 10000) == WAIT_OBJECT_0;
        SetEvent(hereEnding.get());
      });
  EXPECT_TRUE(hereSawAside);
  EXPECT_TRUE(asideSawHere);  // set after `here` ended: RunBeside waited for it

  EXPECT_THROW(host.RunBeside([] { throw std::runtime_error("aside"); }, [] {}),
               std::runtime_error);
  EXPECT_THROW(host.RunBeside([] {}, [] { throw std::runtime_error("here"); }),
               std::runtime_error);
}

}  // namespace
}  // namespace vistrane
