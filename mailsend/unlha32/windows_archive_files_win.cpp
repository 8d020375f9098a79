#include "mailsend/unlha32/windows_archive_files_win.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "mailsend/unlha32/archive_error.h"
#include "platform/ansi_text.h"
#include "platform/file_writer.h"
#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

using UniqueMapping = UniqueHandle<HANDLE, CloseHandle>;

// 100-ns intervals from 1601 to 1970.
constexpr std::int64_t kUnixEpochAsFileTime = 116444736000000000;

// "「<path>」<what>。" and the system's reason.
[[noreturn]] void FileFailure(DWORD code, const wchar_t* what, const std::wstring& path) {
  throw ArchiveError(UnlhaStatus::kFileError,
                     L"「" + path + L"」" + what + L"。" + Win32ErrorText(code));
}

UniqueFile OpenForReading(const std::wstring& path) {
  return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// The file's size, refused when the archive's 32-bit sizes cannot hold it.
std::size_t PackableSize(HANDLE file, const std::wstring& path) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size))
    FileFailure(GetLastError(), L"の大きさを読み取れませんでした", path);
  if (static_cast<std::uint64_t>(size.QuadPart) > std::numeric_limits<std::uint32_t>::max())
    throw ArchiveError(UnlhaStatus::kFileError,
                       L"「" + path + L"」は LHA の書庫には大きすぎます（4 GiB 以上）。");
  return static_cast<std::size_t>(size.QuadPart);
}

std::vector<std::uint8_t> ReadWhole(HANDLE file, const std::wstring& path) {
  std::vector<std::uint8_t> bytes(PackableSize(file, path));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, std::size_t{1} << 30));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + done, chunk, &read, nullptr))
      FileFailure(GetLastError(), L"を読み込めませんでした", path);
    if (read == 0)
      throw ArchiveError(UnlhaStatus::kFileError,
                         L"「" + path + L"」が読み込みの途中で短くなりました。");
    done += read;
  }
  return bytes;
}

void WriteWhole(FileWriter& writer, std::span<const std::span<const std::uint8_t>> pieces) {
  for (const auto piece : pieces) writer.Write(piece.data(), piece.size());
  writer.Commit();
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos)
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
  return path.substr(0, separator + 1);
}

// ntdll's question about the volume of an open file, declared here as the
// driver kit declares it: the SDK's headers do not have it.
struct IoStatus {
  union {
    LONG status;
    void* pointer;
  };
  ULONG_PTR information;
};
using QueryVolume = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, int);

// Bound while this library loads: looking a function up takes the loader's
// lock, which a mail run's other thread holds for tens of milliseconds while
// it loads the mail client, and the packing would wait for it.
const QueryVolume kQueryVolume = [] {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");  // in every process
  return reinterpret_cast<QueryVolume>(
      ntdll != nullptr ? reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryVolumeInformationFile"))
                       : nullptr);
}();

// Whether the open file lies on a fixed disk of this machine. A view of a
// file on a network share or a removable disk ends the process when the
// medium goes away during the packing, where reading the file reports the
// error. The volume is asked through the open file, as GetDriveTypeW asks
// it through the root folder; finding that root takes the mount manager, a
// process of its own under Wine, and the run waits for it.
bool OnFixedDisk(HANDLE file) {
  struct DeviceInformation {
    ULONG deviceType;
    ULONG characteristics;
  };
  constexpr int kDeviceInformationClass = 4;  // FileFsDeviceInformation
  constexpr ULONG kDiskDevice = 0x07;         // FILE_DEVICE_DISK
  constexpr ULONG kDiskFileSystem = 0x08;     // FILE_DEVICE_DISK_FILE_SYSTEM
  constexpr ULONG kRemovableMedia = 0x01;
  constexpr ULONG kRemoteDevice = 0x10;
  IoStatus status{};
  DeviceInformation device{};
  if (kQueryVolume == nullptr ||
      kQueryVolume(file, &status, &device, sizeof device, kDeviceInformationClass) < 0)
    return false;
  return (device.deviceType == kDiskDevice || device.deviceType == kDiskFileSystem) &&
         (device.characteristics & (kRemovableMedia | kRemoteDevice)) == 0;
}

}  // namespace

// A file on a fixed disk is packed from a read-only view of it: reading a
// screen-sized bitmap into fresh memory costs more than the file system's
// own copy.
SourceFile WindowsArchiveFiles::ReadSource(const std::wstring& path) {
  const UniqueFile file = OpenForReading(path);
  if (!file) FileFailure(GetLastError(), L"を開けませんでした", path);
  FILETIME written{};
  if (!GetFileTime(file.get(), nullptr, nullptr, &written))
    FileFailure(GetLastError(), L"の更新日時を読み取れませんでした", path);
  const auto ticks = static_cast<std::int64_t>(
      static_cast<std::uint64_t>(written.dwHighDateTime) << 32 | written.dwLowDateTime);
  SourceFile source{{}, (ticks - kUnixEpochAsFileTime) / 10000000, nullptr};
  const std::size_t size = PackableSize(file.get(), path);
  if (size == 0) return source;  // an empty file has nothing to map
  if (!OnFixedDisk(file.get())) {
    auto bytes = std::make_shared<const std::vector<std::uint8_t>>(ReadWhole(file.get(), path));
    source.contents = *bytes;
    source.keeper = std::move(bytes);
    return source;
  }
  const UniqueMapping mapping(
      CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  const void* view = mapping ? MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr;
  if (view == nullptr) FileFailure(GetLastError(), L"を読み込めませんでした", path);
  source.keeper = std::shared_ptr<const void>(view, UnmapViewOfFile);
  source.contents = {static_cast<const std::uint8_t*>(view), size};
  return source;
}

std::optional<std::vector<std::uint8_t>> WindowsArchiveFiles::ReadArchive(
    const std::wstring& path) {
  const UniqueFile file = OpenForReading(path);
  if (!file) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return std::nullopt;
    FileFailure(code, L"（書庫）を開けませんでした", path);
  }
  return ReadWhole(file.get(), path);
}

// A new archive is written once, under its own name: a failed write removes
// it, so it is there whole or not at all. Only an archive that replaces an
// old one goes through a temporary file, which keeps the old one until the
// new one is complete.
void WindowsArchiveFiles::WriteArchive(const std::wstring& path,
                                       std::span<const std::span<const std::uint8_t>> pieces) {
  std::optional<FileWriter> created;
  try {
    created.emplace(path, FileWriter::Creation::kNew);
  } catch (const Win32Error& error) {
    if (error.code() != ERROR_FILE_EXISTS)
      FileFailure(error.code(), L"（書庫）を作れませんでした", path);
  }
  if (created) {
    try {
      WriteWhole(*created, pieces);
    } catch (const Win32Error& error) {
      FileFailure(error.code(), L"（書庫）を書き込めませんでした", path);
    }
    return;
  }
  wchar_t temporary[MAX_PATH + 1] = {};
  if (GetTempFileNameW(FolderOf(path).c_str(), L"lzh", 0, temporary) == 0)
    FileFailure(GetLastError(), L"（書庫）の隣に一時ファイルを作れませんでした", path);
  try {
    FileWriter writer(temporary);
    WriteWhole(writer, pieces);
  } catch (const Win32Error& error) {
    DeleteFileW(temporary);
    FileFailure(error.code(), L"（書庫）を書き込めませんでした", path);
  }
  if (!MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD code = GetLastError();
    DeleteFileW(temporary);
    FileFailure(code, L"（書庫）を置き換えられませんでした", path);
  }
}

std::string WindowsArchiveFiles::StoredNameBytes(const std::wstring& element) {
  AnsiText ansi = ToAnsi(element);
  if (!ansi.exact)
    throw ArchiveError(
        UnlhaStatus::kFileError,
        L"「" + element + L"」には、このシステムの文字コードで表せない文字があります。");
  return std::move(ansi.text);
}

}  // namespace vistrane
