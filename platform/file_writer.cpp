#include "platform/file_writer.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32_error.h"

namespace vistrane {

FileWriter::FileWriter(std::wstring path, Creation creation)
    : path_(std::move(path)),
      file_(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr,
                        creation == Creation::kNew ? CREATE_NEW : CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (!file_) ThrowFileError(GetLastError(), L"CreateFileW", path_);
}

FileWriter::~FileWriter() {
  if (!file_) return;
  file_.reset();
  DeleteFileW(path_.c_str());
}

void FileWriter::Write(const void* data, std::size_t size) {
  if (!file_) throw std::logic_error("FileWriter::Write after Commit");
  const auto* next = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
    DWORD written = 0;
    if (!WriteFile(file_.get(), next, chunk, &written, nullptr)) Discard(GetLastError(), L"WriteFile");
    if (written == 0) Discard(ERROR_WRITE_FAULT, L"WriteFile");
    next += written;
    size -= written;
  }
}

void FileWriter::Commit() {
  if (!file_) throw std::logic_error("FileWriter::Commit called twice");
  if (!CloseHandle(file_.release())) {
    const DWORD code = GetLastError();
    DeleteFileW(path_.c_str());
    ThrowFileError(code, L"CloseHandle", path_);
  }
}

void FileWriter::Discard(DWORD code, const wchar_t* operation) {
  file_.reset();
  DeleteFileW(path_.c_str());
  ThrowFileError(code, operation, path_);
}

}  // namespace vistrane
