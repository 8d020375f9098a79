#pragma once
// What the mail sender needs from the system besides the store, the archiver
// and the mail client.
#include <string>

namespace vistrane {

class MailSenderHost {
 public:
  virtual ~MailSenderHost() = default;
  virtual void TrimWorkingSet() noexcept = 0;
  // A file or folder of that name is there.
  virtual bool FileExists(const std::wstring& path) = 0;
  // A file that is already gone is no failure; any other failure throws.
  virtual void RemoveFile(const std::wstring& path) = 0;
  // The error message box; returns once the user has closed it.
  virtual void ShowError(const std::wstring& text) = 0;
};

}  // namespace vistrane
