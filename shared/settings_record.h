#pragma once
// The settings record: one field per stored key, in the order the store lists
// them, plus the two fields that live only in memory.
#include <cstdint>
#include <string>

namespace vistrane {

struct SettingsRecord {
  std::int16_t OutPutMode = 0;
  std::int16_t Orientation = 0;
  std::int16_t ZoomMode = 0;
  std::int16_t PrtYokoHaichi = 0;
  std::int16_t PrtTateHaichi = 0;
  std::wstring Drive;
  std::wstring DirName;
  std::wstring Filename;
  std::int16_t FileOutMode = 0;
  std::int16_t DialogMode = 0;
  std::wstring PrtDeviceName;      // memory only: printer chosen for this run
  std::int16_t PrtPaperSize = 0;   // memory only: 0 = the printer's own paper
  std::int16_t SaveCont = 0;
  std::int16_t ColorMode = 0;
  std::int16_t AutoDel = 0;
  std::int16_t AutoDelDate = 0;
  std::int16_t OutputFileMode = 0;
  std::int16_t PrtOutputMode = 0;
  std::int16_t FileOutputMode = 0;
  std::int16_t MailSendMode = 0;
  std::wstring MailAdd;
  std::wstring MailKenmei;
  std::wstring MailNote;
  std::int16_t MailComp = 0;

  bool operator==(const SettingsRecord&) const = default;
};

}  // namespace vistrane
