#include "shared/stored_settings.h"

#include <array>

#include "shared/setting_keys.h"
#include "shared/setting_text.h"

namespace vistrane {
namespace {

using R = SettingsRecord;

constexpr std::array<StoredSetting, 22> kStoredSettings{{
    {keys::OutPutMode, &R::OutPutMode},
    {keys::Orientation, &R::Orientation},
    {keys::ZoomMode, &R::ZoomMode},
    {keys::PrtYokoHaichi, &R::PrtYokoHaichi},
    {keys::PrtTateHaichi, &R::PrtTateHaichi},
    {keys::Drive, &R::Drive},
    {keys::DirName, &R::DirName},
    {keys::Filename, &R::Filename},
    {keys::FileOutMode, &R::FileOutMode},
    {keys::DialogMode, &R::DialogMode},
    {keys::SaveCont, &R::SaveCont},
    {keys::ColorMode, &R::ColorMode},
    {keys::AutoDel, &R::AutoDel},
    {keys::AutoDelDate, &R::AutoDelDate},
    {keys::OutputFileMode, &R::OutputFileMode},
    {keys::PrtOutputMode, &R::PrtOutputMode},
    {keys::FileOutputMode, &R::FileOutputMode},
    {keys::MailSendMode, &R::MailSendMode},
    {keys::MailAdd, &R::MailAdd},
    {keys::MailKenmei, &R::MailKenmei},
    {keys::MailNote, &R::MailNote},
    {keys::MailComp, &R::MailComp},
}};

}  // namespace

std::span<const StoredSetting> StoredSettings() { return kStoredSettings; }

std::wstring StoredText(const SettingsRecord& record, const StoredSetting& setting) {
  if (const auto* number = std::get_if<std::int16_t R::*>(&setting.field)) {
    return FormatInt16(record.*(*number));
  }
  return record.*std::get<std::wstring R::*>(setting.field);
}

bool ReadStoredText(SettingsRecord& record, const StoredSetting& setting, std::wstring_view text) {
  if (const auto* number = std::get_if<std::int16_t R::*>(&setting.field)) {
    const std::optional<std::int16_t> value = ParseInt16(text);
    if (!value) return false;
    record.*(*number) = *value;
    return true;
  }
  record.*std::get<std::wstring R::*>(setting.field) = std::wstring(text);
  return true;
}

}  // namespace vistrane
