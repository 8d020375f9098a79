#include "platform/error_report.h"

#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/win32_error.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

constexpr wchar_t kGeneralFailure[] = L"処理を完了できませんでした。";

}  // namespace

std::wstring ErrorMessageFor(const std::exception_ptr& error) {
  if (!error) return kGeneralFailure;
  try {
    std::rethrow_exception(error);
  } catch (const UserFacingError& e) {
    return e.message();
  } catch (const Win32Error& e) {
    return WithReason(kGeneralFailure, e.message());
  } catch (const std::exception& e) {
    return WithReason(kGeneralFailure, Utf8ToWide(e.what()));
  } catch (...) {
    return kGeneralFailure;
  }
}

void ReportCurrentException(HWND owner) noexcept {
  try {
    ShowErrorMessage(owner, ErrorMessageFor(std::current_exception()));
  } catch (...) {
    // Out of memory while building the text: the plain message needs none.
    MessageBoxW(owner, kGeneralFailure, kErrorDialogTitle,
                MB_ICONEXCLAMATION | MB_OK | MB_SETFOREGROUND);
  }
}

}  // namespace vistrane
