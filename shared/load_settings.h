#pragma once
// Start-up load of the settings record from the store.
#include <string>
#include <string_view>

#include "shared/clock.h"
#include "shared/settings_record.h"
#include "shared/settings_store.h"

namespace vistrane {

// Runs, in order: the first-start writes (when OutPutMode is empty), the
// upgrade writes of an older store (when ColorMode is empty), the load of every
// stored field, and the daily reset (SaveCont 0 in the record when GDate is not
// today; the store is left alone). An integer whose stored text is empty, not a
// number or outside 16 bits loads as that key's first-start default.
// PrtDeviceName is empty and PrtPaperSize 0.
//
// Creating the default output folder is the caller's job: the start-up creates
// DirName when it is missing, which covers the folder a first start names.
// Throws StoreError when a write is refused.
SettingsRecord LoadSettings(SettingsStore& store, const Clock& clock,
                            std::wstring_view programFolder);

// The record a first start writes and then loads. It is also what an unreadable
// stored integer falls back to, and what the program runs on when the store
// refuses the first-start writes, so the defaults exist in this one place.
SettingsRecord FirstStartRecord(std::wstring_view programFolder);

// The drive part of a folder path as the settings keep it: its first three
// characters, drive letter, colon and backslash ("E:\Tools\Vistrane" -> "E:\").
std::wstring DriveOfFolder(std::wstring_view folder);

}  // namespace vistrane
