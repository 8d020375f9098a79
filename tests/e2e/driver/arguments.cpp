#include "tests/e2e/driver/arguments.h"

#include <algorithm>
#include <cwchar>

#include "platform/text_encoding.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {
namespace {

[[noreturn]] void Bad(const std::wstring& what, const std::wstring& text) {
  throw tools::UsageError(WideToUtf8(what + L": " + text));
}

}  // namespace

bool Arguments::TakeFlag(const wchar_t* name) {
  const auto found = std::find(args_.begin(), args_.end(), name);
  if (found == args_.end()) return false;
  args_.erase(found);
  return true;
}

std::optional<std::wstring> Arguments::TakeOption(const wchar_t* name) {
  const auto found = std::find(args_.begin(), args_.end(), name);
  if (found == args_.end()) return std::nullopt;
  if (found + 1 == args_.end()) Bad(L"option needs a value", name);
  std::wstring value = *(found + 1);
  args_.erase(found, found + 2);
  return value;
}

std::chrono::milliseconds Arguments::TakeSeconds(const wchar_t* name,
                                                 std::chrono::milliseconds fallback) {
  const auto value = TakeOption(name);
  return value ? ParseSeconds(*value) : fallback;
}

const std::vector<std::wstring>& Arguments::Positional(std::size_t count) const {
  if (args_.size() != count) {
    throw tools::UsageError("expected " + std::to_string(count) + " argument(s), got " +
                            std::to_string(args_.size()));
  }
  return args_;
}

const std::vector<std::wstring>& Arguments::PositionalAtLeast(std::size_t count) const {
  if (args_.size() < count) {
    throw tools::UsageError("expected at least " + std::to_string(count) + " argument(s)");
  }
  return args_;
}

std::chrono::milliseconds ParseSeconds(const std::wstring& text) {
  wchar_t* end = nullptr;
  const double seconds = std::wcstod(text.c_str(), &end);
  if (text.empty() || *end != L'\0' || !(seconds >= 0) || seconds > 86400) {
    Bad(L"bad number of seconds", text);
  }
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

int ParseInt(const std::wstring& text) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (text.empty() || *end != L'\0' || value < -100000 || value > 100000) {
    Bad(L"bad number", text);
  }
  return static_cast<int>(value);
}

}  // namespace vistrane::vtest
