#include "mailsend/unlha32/unlha_command_line.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "mailsend/unlha32/archive_error.h"
#include "shared/folder_path.h"

namespace vistrane {
namespace {

// The options the mail sender passes. They describe what this archiver
// always does, so they are accepted and change nothing.
constexpr std::array<std::wstring_view, 4> kAcceptedOptions = {L"-a1", L"-r2", L"-x1", L"-o2"};

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

bool EndsWithSeparator(std::wstring_view text) {
  return !text.empty() && IsPathSeparator(text.back());
}

[[noreturn]] void BadCommand(std::wstring reason) {
  throw ArchiveError(UnlhaStatus::kBadCommand, std::move(reason));
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) {
  std::vector<std::wstring> arguments;
  std::wstring current;
  bool inArgument = false;
  bool quoted = false;
  for (const wchar_t c : commandLine) {
    if (c == L'"') {
      quoted = !quoted;
      inArgument = true;
    } else if (!quoted && (c == L' ' || c == L'\t')) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (quoted) BadCommand(L"コマンドラインの二重引用符（\"）が閉じていません。");
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

std::wstring WithArchiveExtension(std::wstring path) {
  const std::size_t nameStart = path.find_last_of(L"\\/:");
  const std::size_t dot = path.rfind(L'.');
  const bool hasExtension =
      dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
  if (!hasExtension) path += L".lzh";
  return path;
}

UnlhaCommand ParseUnlhaCommandLine(std::wstring_view commandLine) {
  const std::vector<std::wstring> arguments = SplitCommandLine(commandLine);
  if (arguments.empty()) BadCommand(L"コマンドラインが空です。");
  if (!EqualsIgnoringCase(arguments[0], L"u"))
    BadCommand(L"コマンド「" + arguments[0] +
               L"」には対応していません（対応しているのは「u」だけです）。");

  std::size_t next = 1;
  for (; next < arguments.size() && arguments[next].starts_with(L'-'); ++next) {
    const std::wstring& option = arguments[next];
    if (std::none_of(
            kAcceptedOptions.begin(), kAcceptedOptions.end(),
            [&](std::wstring_view accepted) { return EqualsIgnoringCase(option, accepted); }))
      BadCommand(L"オプション「" + option + L"」には対応していません。");
  }
  if (next == arguments.size()) BadCommand(L"書庫の名前がありません。");
  if (arguments[next].empty() || EndsWithSeparator(arguments[next]))
    BadCommand(L"書庫の名前「" + arguments[next] + L"」はファイル名ではありません。");

  UnlhaCommand command;
  command.archive = WithArchiveExtension(arguments[next++]);
  if (next < arguments.size() && EndsWithSeparator(arguments[next]))
    command.baseFolder = arguments[next++];
  for (; next < arguments.size(); ++next) {
    if (arguments[next].empty() || EndsWithSeparator(arguments[next]))
      BadCommand(L"「" + arguments[next] +
                 L"」はファイルではありません（フォルダは格納しません）。");
    command.files.push_back(arguments[next]);
  }
  if (command.files.empty()) BadCommand(L"格納するファイルがありません。");
  return command;
}

}  // namespace vistrane
