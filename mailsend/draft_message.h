#pragma once
// The draft e-mail file: an Internet message (RFC 5322 with MIME) that mail
// programs open as a message ready to send ("X-Unsent: 1").
#include <span>
#include <string>
#include <string_view>

#include "shared/clock.h"

namespace vistrane {

// When and as what the message is written: the local time with its distance
// from UTC, and a token no other draft has (letters, digits, dots), which
// makes the Message-ID and the part boundary.
struct MessageStamp {
  LocalDateTime local;
  int utcOffsetMinutes = 0;
  std::string uniqueToken;
};

struct DraftContent {
  std::wstring to;  // no To header when empty
  std::wstring subject;
  std::wstring note;  // text/plain, UTF-8, CRLF line ends
  std::wstring attachmentName;
  std::span<const unsigned char> attachment;
};

// The whole message: headers, the note and the attachment in base64, named
// both by RFC 2231 and by an encoded word for older programs.
std::string DraftMessage(const DraftContent& content, const MessageStamp& stamp);

// The MIME type of an attachment by its file name's extension.
std::string_view AttachmentType(std::wstring_view fileName);

}  // namespace vistrane
