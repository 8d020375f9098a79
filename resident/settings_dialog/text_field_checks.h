#pragma once
// The focus-loss handlers of the two checked text fields: the base name and
// the days to keep image files. A refused text leaves the record as it was;
// the dialog shows the message and puts the focus back into the field.
#include <string_view>

#include "shared/settings_record.h"

namespace vistrane {

inline constexpr std::wstring_view kFileNameEmptyMessage =
    L"画像出力ファイルの名称は必ず設定して下さい。";
inline constexpr std::wstring_view kDaysNotNumberMessage =
    L"画像ファイルの保存日数は数字を設定して下さい。";
inline constexpr std::wstring_view kDaysZeroMessage =
    L"画像ファイルの保存日数は０以外を設定して下さい。";

// txtFileName: any text but the empty one becomes Filename. Returns the
// refusal message, or empty when the text was taken.
std::wstring_view ApplyFileName(SettingsRecord& record, std::wstring_view text);

// numAutoDelDate: the text must be one whole number of days, 1 to 999 as the
// three-character field allows: ASCII digits with blanks before or after
// them only. Anything else (empty, blanks only, "7 7", "-7", "7a", a
// full-width digit) is refused as not a number, a value of 0 as zero. The
// text of AutoDelDate itself, as the dialog shows it, changes nothing and is
// not checked: a stored value out of range that the user leaves alone brings
// no message. Returns the refusal message, or empty when the text was taken.
std::wstring_view ApplyAutoDelDate(SettingsRecord& record, std::wstring_view text);

}  // namespace vistrane
