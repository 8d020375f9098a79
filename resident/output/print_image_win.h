#pragma once
// The printed output: the captured picture on one page of the current
// printer, under the header line.
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "shared/clock.h"
#include "shared/settings_record.h"

namespace vistrane {

inline constexpr wchar_t kPrintFailedMessage[] = L"画像を印刷できませんでした。";

// Prints Picture1 and ends the job.
// Throws OutputError, saying why, when there is no printer, the printable
// area is too small for the margins or the printer fails; a job that was
// started is then aborted.
void PrintImage(const SettingsRecord& settings, const PictureBox& Picture1, Printer& printer,
                const Clock& clock);

}  // namespace vistrane
