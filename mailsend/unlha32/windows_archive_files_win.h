#pragma once
// The archiver's file access on Windows: files to pack mapped read-only,
// archives read whole through CreateFileW, a new one written once under its
// name and an old one replaced through a temporary file in its folder, names
// in the system's ANSI code page.
#include "mailsend/unlha32/archive_file_access.h"

namespace vistrane {

class WindowsArchiveFiles final : public ArchiveFileAccess {
 public:
  SourceFile ReadSource(const std::wstring& path) override;
  std::optional<std::vector<std::uint8_t>> ReadArchive(const std::wstring& path) override;
  void WriteArchive(const std::wstring& path,
                    std::span<const std::span<const std::uint8_t>> pieces) override;
  std::string StoredNameBytes(const std::wstring& element) override;
};

}  // namespace vistrane
