#pragma once
// The base name (setting Filename) as part of a file name in the output
// folder. The settings dialog accepts any text, so a capture checks it before
// anything is numbered or written.
#include <string_view>

namespace vistrane {

// Throws OutputError naming the setting and the offending character when the
// base name holds a character Windows forbids in a file name (\ / : * ? " < >
// | or a control character; a separator would also lead out of the output
// folder), ends in a dot or a blank, which Windows would drop or refuse, or is
// a name Windows keeps for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9, in
// any case, also before a dot: "nul.x"), which would take the file's bytes
// and leave no file.
void CheckBaseName(std::wstring_view filename);

// The one check of a capture's file name before anything is numbered or
// written, in this order: throws OutputError naming DirName when the output
// folder is empty or relative (IsAbsoluteFolder), as its files would land
// wherever the program's working folder happens to be; the refusal of
// CheckBaseName; and naming DirName again when a file name made from this
// folder and base name could pass the classic 259-character limit of a path,
// with the longest suffix and the extension: the program and the tools it
// hands the file to (the archiver, the mail client) would fail or cut the
// path.
void CheckOutputName(std::wstring_view dirName, std::wstring_view filename);

// CheckOutputName's refusal of a long folder, for a file name that came out
// longer after all (a taken name with "-2" added): how many names are taken
// is known only when the free one is found.
void CheckFilePathLength(std::wstring_view dirName, std::wstring_view path);

}  // namespace vistrane
