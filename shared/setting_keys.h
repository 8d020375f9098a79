#pragma once
// Where the settings live and what their keys are called, spelled once.
#include <string_view>

namespace vistrane {

// Store address shared by the resident program and the mail sender.
inline constexpr std::wstring_view kSettingsApplication = L"TRV Vistrane";
inline constexpr std::wstring_view kSettingsSection = L"Propaty";

namespace keys {

inline constexpr std::wstring_view OutPutMode = L"OutPutMode";
inline constexpr std::wstring_view Orientation = L"Orientation";
inline constexpr std::wstring_view ZoomMode = L"ZoomMode";
inline constexpr std::wstring_view PrtYokoHaichi = L"PrtYokoHaichi";
inline constexpr std::wstring_view PrtTateHaichi = L"PrtTateHaichi";
inline constexpr std::wstring_view Drive = L"Drive";
inline constexpr std::wstring_view DirName = L"DirName";
inline constexpr std::wstring_view Filename = L"Filename";
inline constexpr std::wstring_view FileOutMode = L"FileOutMode";
inline constexpr std::wstring_view DialogMode = L"DialogMode";
inline constexpr std::wstring_view SaveCont = L"SaveCont";
inline constexpr std::wstring_view ColorMode = L"ColorMode";
inline constexpr std::wstring_view AutoDel = L"AutoDel";
inline constexpr std::wstring_view AutoDelDate = L"AutoDelDate";
inline constexpr std::wstring_view OutputFileMode = L"OutputFileMode";
inline constexpr std::wstring_view PrtOutputMode = L"PrtOutputMode";
inline constexpr std::wstring_view FileOutputMode = L"FileOutputMode";
inline constexpr std::wstring_view MailSendMode = L"MailSendMode";
inline constexpr std::wstring_view MailAdd = L"MailAdd";
inline constexpr std::wstring_view MailKenmei = L"MailKenmei";
inline constexpr std::wstring_view MailNote = L"MailNote";
inline constexpr std::wstring_view MailComp = L"MailComp";
inline constexpr std::wstring_view GDate = L"GDate";      // day SaveCont was last written
inline constexpr std::wstring_view tmpfile = L"tmpfile";  // mail copy handed to VstnMailSend

}  // namespace keys
}  // namespace vistrane
