#pragma once
// A new file written piece by piece. Until Commit() succeeds the file is
// provisional: a failure, or a writer destroyed without Commit(), deletes it,
// so a half-written file never stays behind.
#include <cstddef>
#include <string>
#include <utility>

#include "platform/unique_handle.h"

namespace vistrane {

class FileWriter {
 public:
  // kNew fails with ERROR_FILE_EXISTS where a file of that name is there.
  // It is also the cheaper way to a new file that is soon deleted: replacing
  // truncates first, and some file systems (ext4, under Wine) then give a
  // truncated file its disk space at the close, which makes deleting it slow.
  enum class Creation { kReplace, kNew };

  // Creates or replaces the file; throws Win32Error naming the path.
  explicit FileWriter(std::wstring path) : FileWriter(std::move(path), Creation::kReplace) {}
  FileWriter(std::wstring path, Creation creation);
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  void Write(const void* data, std::size_t size);
  // Closes the file; closing can still report a failed write (a full disk on
  // a network share).
  void Commit();

 private:
  [[noreturn]] void Discard(DWORD code, const wchar_t* operation);

  std::wstring path_;
  UniqueFile file_;
};

}  // namespace vistrane
