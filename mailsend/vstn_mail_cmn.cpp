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

}  // namespace vistrane
