#include "platform/message_font.h"

#include "platform/win32_error.h"

namespace vistrane {

UniqueHfont CreateMessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    ThrowLastError(L"SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS)");
  }
  UniqueHfont created(CreateFontIndirectW(&metrics.lfMessageFont));
  if (!created) ThrowLastError(L"CreateFontIndirectW");
  return created;
}

}  // namespace vistrane
