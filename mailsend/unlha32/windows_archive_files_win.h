#pragma once
// The archiver's file access on Windows: files to pack mapped read-only,
// archives read whole through CreateFileW and replaced through a temporary
// file in their own folder, names in the system's ANSI code page.
#include "mailsend/unlha32/archive_file_access.h"

namespace vistrane {

class WindowsArchiveFiles final : public ArchiveFileAccess {
 public:
  SourceFile ReadSource(const std::wstring& path) override;
  std::optional<std::vector<std::uint8_t>> ReadArchive(const std::wstring& path) override;
  void WriteArchive(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
  std::string StoredNameBytes(const std::wstring& element) override;
};

}  // namespace vistrane
