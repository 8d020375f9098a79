#pragma once
// Module VstnMailCmn: text helpers of the mail sender.
#include <string>
#include <string_view>

namespace vistrane {

// The text in double quotes when it holds a space or a comma, else unchanged,
// so that the archiver's command line keeps each path as one argument. Quotes
// already inside the text are left as they are.
std::wstring QuoteIfNeeded(std::wstring_view text);

// The image path with its four-character extension (".bmp") replaced by
// `extension`; a path of four characters or fewer gets it appended.
std::wstring WithImageExtension(std::wstring_view image, std::wstring_view extension);

// The last part of a path.
std::wstring FileNameOf(std::wstring_view path);

}  // namespace vistrane
