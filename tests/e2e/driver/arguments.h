#pragma once
// The arguments of one vtest subcommand: options are taken out by name, what
// remains are the positional arguments.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vistrane::vtest {

class Arguments {
 public:
  explicit Arguments(std::vector<std::wstring> args) : args_(std::move(args)) {}

  bool TakeFlag(const wchar_t* name);
  std::optional<std::wstring> TakeOption(const wchar_t* name);
  // Seconds, fractions allowed ("2.5"); `fallback` when the option is absent.
  std::chrono::milliseconds TakeSeconds(const wchar_t* name, std::chrono::milliseconds fallback);

  // Call after the options are taken: throws UsageError unless exactly
  // `count` positional arguments remain (or at least `count` for AtLeast).
  const std::vector<std::wstring>& Positional(std::size_t count) const;
  const std::vector<std::wstring>& PositionalAtLeast(std::size_t count) const;

 private:
  std::vector<std::wstring> args_;
};

std::chrono::milliseconds ParseSeconds(const std::wstring& text);
int ParseInt(const std::wstring& text);

}  // namespace vistrane::vtest
