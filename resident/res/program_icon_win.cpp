#include "resident/res/program_icon_win.h"

#include "resident/res/resource_ids.h"

namespace vistrane {

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VISTRANE),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

void SetProgramIcons(WNDCLASSEXW& windowClass) {
  windowClass.hIcon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
  windowClass.hIconSm = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
}

}  // namespace vistrane
