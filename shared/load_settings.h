#pragma once
// Start-up load of the settings record from the store.
#include <string>
#include <string_view>

#include "shared/clock.h"
#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

// What the start-up runs on, and the message of a refused write (empty when
// the store took every write).
struct LoadedSettings {
  SettingsRecord record;
  std::wstring refusedWrite;
};

// Reads each stored value once, in the order of the first-start record: a
// value the store holds is loaded into its field, and the default of one it
// does not hold is written (all of them at a first start; GDate = today
// first, with SaveCont). Then the daily reset (SaveCont 0 in the record when
// GDate is not today; the store is left alone). A value that exists is never
// overwritten. A value the store cannot read, and an integer whose text is not
// a number or outside 16 bits, load as that key's first-start default.
// PrtDeviceName is empty and PrtPaperSize 0.
//
// A refused write ends the writes, and the record is still loaded from what
// the store holds, so the user's own values are kept for the run.
//
// Creating the default output folder is the caller's job: the start-up creates
// DirName when it is missing, which covers the folder a first start names.
LoadedSettings LoadSettings(SettingsStore& store, const Clock& clock,
                            std::wstring_view programFolder);

// The record a first start writes and then loads. It is also what a missing
// or unreadable stored value falls back to, so the defaults exist in this one
// place.
SettingsRecord FirstStartRecord(std::wstring_view programFolder);

// The drive part of a folder path as the settings keep it: its first three
// characters, drive letter, colon and backslash ("E:\Tools\Vistrane" -> "E:\").
std::wstring DriveOfFolder(std::wstring_view folder);

}  // namespace vistrane
