#include "tools/screencopy/clipboard_writer.h"

#include <cstring>
#include <memory>

#include "platform/win32_error.h"

namespace vistrane::tools {
namespace {

// Another program (a viewer reading the last change) may hold the clipboard
// open for a moment; wait up to two seconds for it.
std::unique_ptr<ClipboardScope> OpenClipboardFor(HWND owner) {
  for (int attempt = 0;; ++attempt) {
    try {
      return std::make_unique<ClipboardScope>(owner);
    } catch (const Win32Error&) {
      if (attempt == 40) throw;
      Sleep(50);
    }
  }
}

template <typename Handle>
void Replace(UINT format, Handle data, HWND owner) {
  const auto clipboard = OpenClipboardFor(owner);
  if (!EmptyClipboard()) ThrowLastError(L"EmptyClipboard");
  if (SetClipboardData(format, data.get()) == nullptr) ThrowLastError(L"SetClipboardData");
  data.release();  // the clipboard owns it now
}

}  // namespace

void PutBitmapOnClipboard(UniqueHbitmap bitmap, HWND owner) {
  Replace(CF_BITMAP, std::move(bitmap), owner);
}

void PutTextOnClipboard(std::wstring_view text, HWND owner) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueHglobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) ThrowLastError(L"GlobalAlloc");
  {
    GlobalLockScope lock(memory.get());
    std::memcpy(lock.data(), text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(lock.data())[text.size()] = L'\0';
  }
  Replace(CF_UNICODETEXT, std::move(memory), owner);
}

}  // namespace vistrane::tools
