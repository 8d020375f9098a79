#include "tools/screencopy/clipboard_writer.h"

#include <cstring>

#include "platform/win32_error.h"

namespace vistrane::tools {
namespace {

template <typename Handle>
void Replace(UINT format, Handle data, HWND owner) {
  const ClipboardScope clipboard(owner, 2000);  // a viewer may still read the last change
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
