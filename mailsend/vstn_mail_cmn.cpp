#include "mailsend/vstn_mail_cmn.h"

namespace vistrane {

std::wstring QuoteIfNeeded(std::wstring_view text) {
  if (text.find_first_of(L", ") == std::wstring_view::npos) return std::wstring(text);
  std::wstring quoted;
  quoted.reserve(text.size() + 2);
  quoted += L'"';
  quoted += text;
  quoted += L'"';
  return quoted;
}

std::wstring WithImageExtension(std::wstring_view image, std::wstring_view extension) {
  constexpr std::size_t kExtensionLength = 4;
  const std::size_t kept =
      image.size() > kExtensionLength ? image.size() - kExtensionLength : image.size();
  return std::wstring(image.substr(0, kept)).append(extension);
}

std::wstring FileNameOf(std::wstring_view path) {
  const auto separator = path.find_last_of(L"\\/");
  return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

}  // namespace vistrane
