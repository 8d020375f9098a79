#pragma once
// The image file's format, and the full path of the next image file: base
// name, suffix, extension and folder.
#include <functional>
#include <string>
#include <string_view>

#include "shared/clock.h"
#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

enum class ImageFileFormat { Bitmap, ReducedBitmap, Jpeg, Png, ReducedPng };

// OutputFileMode 1 is a bitmap and 3 a PNG, full colour for ColorMode 1 and
// else of the reduced depth; any other OutputFileMode is a JPEG, which the
// picture's current pixels give whatever ColorMode is.
ImageFileFormat ImageFileFormatOf(const SettingsRecord& record);

// A Filename or DirName that CheckBaseName or CheckPathLength refuses throws
// its OutputError before anything changes. Builds the path from scratch on every call, from Filename, FileOutMode,
// OutputFileMode and DirName, reading the clock once:
//   mail copy:     Filename "ML-" hhmmss
//   FileOutMode 1: Filename mmdd "-" counter (at least three digits)
//   FileOutMode 2: Filename mmdd "-" hhmmss
//   otherwise:     Filename
// then ".bmp", ".png" or ".jpg" by ImageFileFormatOf, put in DirName by JoinPath.
//
// FileOutMode 1 (not the mail copy) raises record.SaveCont past every number
// whose file exists, so a counter that restarted (a reset store, a hand edit)
// never overwrites a capture, and then stores GDate = today and SaveCont. No
// free number up to 32767 throws OutputError before anything changes; a
// refused store write throws StoreError with the counter already raised, so no
// later file takes the same number.
using FileExistsTest = std::function<bool(const std::wstring& path)>;
std::wstring NextImageFilePath(SettingsRecord& record, bool forMail, const Clock& clock,
                               SettingsStore& store, const FileExistsTest& exists);

// The path of an image file whose name has this suffix after Filename:
// DirName, Filename, suffix, and the extension of OutputFileMode.
std::wstring ImageFilePath(const SettingsRecord& record, std::wstring_view suffix);

}  // namespace vistrane
