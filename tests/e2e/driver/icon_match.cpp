#include "tests/e2e/driver/icon_match.h"

#include <cstdint>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/top_down_dib.h"
#include "platform/win32_error.h"
#include "tools/common/screen_copy.h"

namespace vistrane::vtest {
namespace {

using Pixels = std::vector<std::uint32_t>;

Pixels ReadPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info = TopDown32BitInfo(width, height);
  Pixels pixels(static_cast<std::size_t>(width) * height);
  WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) {
    ThrowLastError(L"GetDIBits");
  }
  for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// The icon drawn the way a static icon control draws it (stretched to the
// control), over a background of one colour.
Pixels RenderIcon(HICON icon, int width, int height, COLORREF background) {
  const auto bitmap = tools::MakeScreenBitmap(width, height, [&](HDC, HDC memory) {
    UniqueHbrush brush(CreateSolidBrush(background));
    if (!brush) ThrowLastError(L"CreateSolidBrush");
    const RECT all{0, 0, width, height};
    if (!FillRect(memory, &all, brush.get())) ThrowLastError(L"FillRect");
    if (!DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL)) {
      ThrowLastError(L"DrawIconEx");
    }
  });
  return ReadPixels(bitmap.get(), width, height);
}

// Share of the icon's opaque pixels (the same over black and over white)
// that the screen shows unchanged.
double MatchShare(const Pixels& shown, HICON icon, int width, int height) {
  const Pixels onBlack = RenderIcon(icon, width, height, RGB(0, 0, 0));
  const Pixels onWhite = RenderIcon(icon, width, height, RGB(255, 255, 255));
  std::size_t opaque = 0;
  std::size_t equal = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (onBlack[i] != onWhite[i]) continue;
    ++opaque;
    if (shown[i] == onBlack[i]) ++equal;
  }
  return opaque < 64 ? 0.0 : static_cast<double>(equal) / static_cast<double>(opaque);
}

}  // namespace

std::wstring IdentifyShownIcon(HWND iconControl) {
  RECT client{};
  if (!GetClientRect(iconControl, &client)) ThrowLastError(L"GetClientRect");
  POINT origin{0, 0};
  if (!ClientToScreen(iconControl, &origin)) ThrowLastError(L"ClientToScreen");
  const int width = client.right;
  const int height = client.bottom;
  const auto shot =
      tools::CopyScreenRect(RECT{origin.x, origin.y, origin.x + width, origin.y + height});
  const Pixels shown = ReadPixels(shot.get(), width, height);

  struct Candidate {
    const wchar_t* name;
    const wchar_t* resource;
  };
  const Candidate candidates[] = {{L"exclamation", IDI_EXCLAMATION},
                                  {L"information", IDI_ASTERISK},
                                  {L"error", IDI_HAND},
                                  {L"question", IDI_QUESTION}};
  std::wstring best = L"unknown";
  double bestShare = 0.95;  // below this nothing counts as a match
  for (const Candidate& candidate : candidates) {
    const HICON icon = LoadIconW(nullptr, candidate.resource);  // shared: not to be destroyed
    if (icon == nullptr) ThrowLastError(L"LoadIconW");
    const double share = MatchShare(shown, icon, width, height);
    if (share >= bestShare) {
      bestShare = share;
      best = candidate.name;
    }
  }
  return best;
}

}  // namespace vistrane::vtest
