#include "mailsend/draft_message.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

#include "mailsend/mime_encoding.h"

namespace vistrane {
namespace {

// Day of the week, 0 = Sunday (Sakamoto's method).
int Weekday(int year, int month, int day) {
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

// RFC 5322 date-time: "Tue, 08 Dec 2026 09:04:01 +0900".
std::string DateHeader(const MessageStamp& stamp) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const LocalDateTime& t = stamp.local;
  const int offset = std::abs(stamp.utcOffsetMinutes);
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d",
                kDays[Weekday(t.year, t.month, t.day)], t.day, kMonths[t.month - 1], t.year, t.hour,
                t.minute, t.second, stamp.utcOffsetMinutes < 0 ? '-' : '+', offset / 60,
                offset % 60);
  return text.data();
}

std::wstring LowerExtension(std::wstring_view fileName) {
  const auto dot = fileName.find_last_of(L'.');
  std::wstring extension(dot == std::wstring_view::npos ? L"" : fileName.substr(dot + 1));
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return extension;
}

}  // namespace

std::string_view AttachmentType(std::wstring_view fileName) {
  const std::wstring extension = LowerExtension(fileName);
  if (extension == L"bmp") return "image/bmp";
  if (extension == L"jpg" || extension == L"jpeg") return "image/jpeg";
  if (extension == L"png") return "image/png";
  if (extension == L"zip") return "application/zip";
  if (extension == L"lzh") return "application/x-lzh-compressed";
  return "application/octet-stream";
}

std::string DraftMessage(const DraftContent& content, const MessageStamp& stamp) {
  const std::string boundary = "=_Vistrane_" + stamp.uniqueToken;
  const std::string encodedName = HeaderText(content.attachmentName, " ");
  std::string m;
  // The attachment's base64 with its line ends, and room for the rest.
  m.reserve(content.attachment.size() / 57 * 78 + 4096 + 4 * content.note.size());
  m += "Date: " + DateHeader(stamp) + "\r\n";
  if (!content.to.empty()) m += "To: " + HeaderText(content.to, "\r\n ") + "\r\n";
  m += "Subject: " + HeaderText(content.subject, "\r\n ") + "\r\n";
  m += "Message-ID: <" + stamp.uniqueToken + "@vistrane.invalid>\r\n";
  m += "X-Unsent: 1\r\n";
  m += "MIME-Version: 1.0\r\n";
  m += "Content-Type: multipart/mixed;\r\n boundary=\"" + boundary + "\"\r\n";
  m += "\r\n";
  m += "--" + boundary + "\r\n";
  m += "Content-Type: text/plain; charset=UTF-8\r\n";
  m += "Content-Transfer-Encoding: base64\r\n\r\n";
  const std::string note = CrlfLines(content.note);
  AppendBase64Lines(m, {reinterpret_cast<const unsigned char*>(note.data()), note.size()});
  m += "--" + boundary + "\r\n";
  m += "Content-Type: " + std::string(AttachmentType(content.attachmentName)) + ";\r\n name=\"" +
       encodedName + "\"\r\n";
  m += "Content-Transfer-Encoding: base64\r\n";
  m += "Content-Disposition: attachment;\r\n " +
       ExtendedParameter("filename", content.attachmentName) + ";\r\n filename=\"" + encodedName +
       "\"\r\n\r\n";
  AppendBase64Lines(m, content.attachment);
  m += "--" + boundary + "--\r\n";
  return m;
}

}  // namespace vistrane
