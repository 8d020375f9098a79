#include "mailsend/mime_encoding.h"

#include <cstddef>
#include <cstdint>

namespace vistrane {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kBase64LineLength = 76;
// Bytes of UTF-8 per encoded word: 48 base64 characters plus "=?UTF-8?B?"
// and "?=" make 60, which leaves a header's name room on a 78-character line.
constexpr std::size_t kEncodedWordBytes = 36;
// Plain ASCII stays as it is (an address list must) up to well within the
// 998-character line limit.
constexpr std::size_t kPlainHeaderLength = 900;
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The characters of the text as code points.
template <typename Visit>
void ForEachCodePoint(std::wstring_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<char32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
        const auto low = static_cast<char32_t>(text[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          visit(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
          ++i;
          continue;
        }
      }
    }
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    visit(surrogate || unit > 0x10FFFF ? kReplacement : unit);
  }
}

// Writes the base64 of `size` bytes at `o`; returns the end.
char* EncodeBase64(const unsigned char* in, std::size_t size, char* o) {
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    const std::uint32_t v = in[i] << 16 | in[i + 1] << 8 | in[i + 2];
    *o++ = kBase64[v >> 18];
    *o++ = kBase64[(v >> 12) & 0x3F];
    *o++ = kBase64[(v >> 6) & 0x3F];
    *o++ = kBase64[v & 0x3F];
  }
  if (i < size) {
    const bool two = i + 1 < size;
    const std::uint32_t v = in[i] << 16 | (two ? in[i + 1] << 8 : 0);
    *o++ = kBase64[v >> 18];
    *o++ = kBase64[(v >> 12) & 0x3F];
    *o++ = two ? kBase64[(v >> 6) & 0x3F] : '=';
    *o++ = '=';
  }
  return o;
}

std::string Base64(std::string_view bytes) {
  std::string out((bytes.size() + 2) / 3 * 4, '\0');
  EncodeBase64(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out.data());
  return out;
}

bool IsPlainHeaderText(std::wstring_view text) {
  if (text.size() > kPlainHeaderLength || text.find(L"=?") != std::wstring_view::npos) return false;
  for (const wchar_t c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

// RFC 2231's attribute-char: what a parameter value may hold unencoded.
bool IsAttributeChar(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("!#$&+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string Utf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(text, [&](char32_t c) { AppendUtf8(out, c); });
  return out;
}

std::string CrlfLines(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  bool afterCr = false;
  ForEachCodePoint(text, [&](char32_t c) {
    if (c == U'\n') {
      if (!afterCr) out += "\r\n";
    } else if (c == U'\r') {
      out += "\r\n";
    } else {
      AppendUtf8(out, c);
    }
    afterCr = c == U'\r';
  });
  return out;
}

void AppendBase64Lines(std::string& out, std::span<const unsigned char> bytes) {
  // Sized once and written in place: a screen-sized attachment makes
  // millions of characters.
  constexpr std::size_t kLineBytes = kBase64LineLength / 4 * 3;
  const std::size_t fullLines = bytes.size() / kLineBytes;
  const std::size_t rest = bytes.size() % kLineBytes;
  const std::size_t start = out.size();
  out.resize(start + fullLines * (kBase64LineLength + 2) + (rest ? (rest + 2) / 3 * 4 + 2 : 0));
  char* o = out.data() + start;
  const unsigned char* in = bytes.data();
  for (std::size_t line = 0; line < fullLines; ++line, in += kLineBytes) {
    o = EncodeBase64(in, kLineBytes, o);
    *o++ = '\r';
    *o++ = '\n';
  }
  if (rest != 0) {
    o = EncodeBase64(in, rest, o);
    *o++ = '\r';
    *o++ = '\n';
  }
}

std::string Base64Lines(std::span<const unsigned char> bytes) {
  std::string out;
  AppendBase64Lines(out, bytes);
  return out;
}

std::string HeaderText(std::wstring_view text, std::string_view separator) {
  if (IsPlainHeaderText(text)) return std::string(text.begin(), text.end());
  std::string out;
  std::string word;
  const auto flush = [&] {
    if (!out.empty()) out += separator;
    out += "=?UTF-8?B?" + Base64(word) + "?=";
    word.clear();
  };
  ForEachCodePoint(text, [&](char32_t c) {
    std::string character;
    AppendUtf8(character, c);
    if (word.size() + character.size() > kEncodedWordBytes) flush();
    word += character;
  });
  if (!word.empty()) flush();
  return out;
}

std::string ExtendedParameter(std::string_view name, std::wstring_view value) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out(name);
  out += "*=UTF-8''";
  for (const char c : Utf8(value)) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsAttributeChar(byte)) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

}  // namespace vistrane
