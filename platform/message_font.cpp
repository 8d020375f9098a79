#include "platform/message_font.h"

#include "platform/win32_error.h"

namespace vistrane {

LOGFONTW MessageLogFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    ThrowLastError(L"SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS)");
  }
  return metrics.lfMessageFont;
}

UniqueHfont CreateMessageFont(UINT dpi) {
  const LOGFONTW font = MessageLogFont(dpi);
  UniqueHfont created(CreateFontIndirectW(&font));
  if (!created) ThrowLastError(L"CreateFontIndirectW");
  return created;
}

}  // namespace vistrane
