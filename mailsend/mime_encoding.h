#pragma once
// The encodings an Internet message needs for text that is not plain ASCII:
// UTF-8, base64 bodies (RFC 2045), encoded words in headers (RFC 2047) and
// extended parameters (RFC 2231).
#include <span>
#include <string>
#include <string_view>

namespace vistrane {

// UTF-8 of a wide text (UTF-16 on Windows, UTF-32 elsewhere); an unpaired
// surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text);

// UTF-8 with every line end (CRLF, a lone CR or a lone LF) written as CRLF.
std::string CrlfLines(std::wstring_view text);

// Base64 in lines of at most 76 characters, each ended by CRLF.
std::string Base64Lines(std::span<const unsigned char> bytes);
void AppendBase64Lines(std::string& out, std::span<const unsigned char> bytes);

// A header's text: printable ASCII as it is, anything else (and text that
// would read as an encoded word) as "B" encoded words of UTF-8, each short
// enough for its header line (at most 60 characters) and never splitting a
// character, joined by `separator`.
std::string HeaderText(std::wstring_view text, std::string_view separator);

// `name*=UTF-8''<value percent-encoded>`, the parameter form that keeps any
// character of a file name.
std::string ExtendedParameter(std::string_view name, std::wstring_view value);

}  // namespace vistrane
