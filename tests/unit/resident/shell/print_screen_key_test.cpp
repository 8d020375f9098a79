#include "resident/shell/print_screen_key.h"

#include <gtest/gtest.h>

namespace vistrane {
namespace {

TEST(ShouldAskForPrintScreenKey, AsksOnceOnWindows11WhileTheKeyOpensTheSnippingTool) {
  constexpr std::nullopt_t kMissing = std::nullopt;
  struct Case {
    const char* what;
    std::optional<std::wstring> build;
    std::optional<std::uint32_t> snipping;
    const wchar_t* asked;
    bool ask;
  };
  const Case cases[] = {
      {"Windows 11, value missing (on by default)", L"22631", kMissing, L"", true},
      {"Windows 11, value 1", L"22631", 1u, L"", true},
      {"Windows 11, value 0: the key already copies", L"22631", 0u, L"", false},
      {"Windows 11, another non-zero value counts as on", L"22631", 2u, L"", true},
      {"first Windows 11 build", L"22000", kMissing, L"", true},
      {"last Windows 10 build number", L"21999", kMissing, L"", false},
      {"Windows 10 with the value set", L"19045", 1u, L"", false},
      {"asked before", L"22631", 1u, L"1", false},
      {"asked before, value missing", L"26100", kMissing, L"1", false},
      {"another stored text is not an answer", L"22631", 1u, L"0", true},
      {"no build number", kMissing, 1u, L"", false},
      {"empty build number", L"", 1u, L"", false},
      {"build number that is not a number", L"22631.1", 1u, L"", false},
      {"build number with a sign", L"+22631", 1u, L"", false},
      {"absurdly long build number still counts as later", L"999999999999999999", 1u, L"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ShouldAskForPrintScreenKey({c.build, c.snipping, c.asked}), c.ask);
  }
}

}  // namespace
}  // namespace vistrane
