#pragma once
// The archiver in UnLHA32.dll, bound by name when the archiver is made; a
// failure to bind is reported at the first compression.
#include <windows.h>

#include <exception>
#include <string>

#include "mailsend/archiver.h"
#include "platform/unique_handle.h"

namespace vistrane {

class UnlhaArchiver final : public Archiver {
 public:
  UnlhaArchiver() noexcept;

  // Throws ArchiverMissing when the DLL or its entry point "Unlha" is not
  // there, ArchiveFailed when the DLL cannot be loaded, the command line has
  // no form in the ANSI code page or the archiver returns non-zero (with its
  // own text as the reason).
  void Unlha(const std::wstring& commandLine) override;

 private:
  using UnlhaFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

  void Bind();

  UniqueHmodule library_;
  UnlhaFunction unlha_ = nullptr;
  std::exception_ptr bindFailure_;
};

}  // namespace vistrane
