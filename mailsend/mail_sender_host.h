#pragma once
// What the mail sender needs from the system besides the store, the archiver
// and the mail client. Failures of the file members throw UserFacingError
// with the system's reason, naming the file.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mailsend/draft_message.h"

namespace vistrane {

class MailSenderHost {
 public:
  virtual ~MailSenderHost() = default;
  virtual void TrimWorkingSet() noexcept = 0;
  // Runs `aside` on a thread of its own while the calling thread runs
  // `here`, and returns when both have ended, rethrowing the exception of
  // either. Where no thread can be started, runs one after the other.
  virtual void RunBeside(const std::function<void()>& aside, const std::function<void()>& here) = 0;
  // A file or folder of that name is there.
  virtual bool FileExists(const std::wstring& path) = 0;
  // A file that is already gone is no failure; any other failure throws.
  virtual void RemoveFile(const std::wstring& path) = 0;
  // The error message box; returns once the user has closed it.
  virtual void ShowError(const std::wstring& text) = 0;

  virtual std::vector<unsigned char> ReadWholeFile(const std::wstring& path) = 0;
  // Writes the bytes under a temporary name beside `path` and then gives the
  // file its name, replacing one that is there: no half-written file ever
  // has that name.
  virtual void WriteFileWhole(const std::wstring& path, std::string_view bytes) = 0;
  // Now, and a token for a message written now.
  virtual MessageStamp Stamp() = 0;
  // Opens the file with the program the system associates with its kind;
  // false when none is associated or it could not be started.
  virtual bool OpenWithAssociatedProgram(const std::wstring& path) = 0;
  // The file's folder in Explorer with the file selected. Not reported when
  // it fails: the caller's message names the file.
  virtual void ShowInFolder(const std::wstring& path) noexcept = 0;
};

}  // namespace vistrane
