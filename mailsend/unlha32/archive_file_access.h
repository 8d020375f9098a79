#pragma once
// What the archiver needs from the file system and the system's code page.
// Every member throws ArchiveError naming the file when it fails.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vistrane {

// A file to pack. Its bytes stay readable while `keeper` lives: a view of
// the file mapped into memory, or whatever else holds them.
struct SourceFile {
  std::span<const std::uint8_t> contents;
  std::int64_t modifiedUnixTime = 0;  // UTC seconds since 1970
  std::shared_ptr<const void> keeper;
};

class ArchiveFileAccess {
 public:
  virtual ~ArchiveFileAccess() = default;

  virtual SourceFile ReadSource(const std::wstring& path) = 0;
  // The archive's bytes; nullopt when there is no such file.
  virtual std::optional<std::vector<std::uint8_t>> ReadArchive(const std::wstring& path) = 0;
  // Puts the new archive, these pieces in order, in place of any old one,
  // all or nothing.
  virtual void WriteArchive(const std::wstring& path,
                            std::span<const std::span<const std::uint8_t>> pieces) = 0;
  // One element of a stored name in the bytes the archive keeps (the
  // system's code page); throws when a character has no such byte form.
  virtual std::string StoredNameBytes(const std::wstring& element) = 0;
};

}  // namespace vistrane
