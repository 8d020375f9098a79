#pragma once
// The full path of the next image file: base name, suffix, extension and
// folder.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "shared/clock.h"
#include "shared/output_modes.h"
#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

// What follows Filename in a mail copy's name, before the time.
inline constexpr std::wstring_view kMailCopyMark = L"ML-";
// The files the mail sender makes beside a mail copy, named like it with
// these extensions: the LHA and ZIP archives and the draft message.
inline constexpr std::array<std::wstring_view, 3> kMailCopyCompanions = {L".lzh", L".zip", L".eml"};

// A DirName or Filename that CheckOutputName refuses throws its OutputError
// before anything changes.
// Builds the path from scratch on every call, from Filename, FileOutMode and
// DirName, reading the clock once:
//   mail copy:     Filename kMailCopyMark hhmmss
//   FileOutMode 1: Filename mmdd "-" counter (at least three digits)
//   FileOutMode 2: Filename mmdd "-" hhmmss
//   otherwise:     Filename
// then ".bmp", ".png" or ".jpg" by the format, put in DirName by JoinPath.
//
// No capture overwrites a file. A name other than the counter's that is taken
// gets the lowest free "-2", "-3", ... before the extension (two captures in
// one second, FileOutMode 0); a mail copy's name is also taken while a file
// the mail sender makes from it (kMailCopyCompanions) is still there. A name
// with no free suffix up to 32767, or one that grew past the length limit,
// throws OutputError.
//
// FileOutMode 1 (not the mail copy) raises SaveCont, the last number used
// today (record.SaveCont is not read), past every number
// whose file exists, so a counter that restarted (a reset store, a hand edit)
// never overwrites a capture, and then stores GDate = today and SaveCont. No
// free number up to 32767 throws OutputError before anything changes; a
// refused store write throws StoreError with the counter already raised, so no
// later file takes the same number.
using FileExistsTest = std::function<bool(const std::wstring& path)>;
std::wstring NextImageFilePath(const SettingsRecord& record, ImageFileFormat format, bool forMail,
                               std::int16_t& SaveCont, const Clock& clock, SettingsStore& store,
                               const FileExistsTest& exists);

// The path of an image file whose name has this suffix after Filename:
// DirName, Filename, suffix, and the extension of ImageFileFormatOf.
std::wstring ImageFilePath(const SettingsRecord& record, std::wstring_view suffix);

}  // namespace vistrane
