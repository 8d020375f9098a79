#include "platform/com_apartment.h"

#include <objbase.h>

namespace vistrane {

ComApartment::ComApartment() noexcept
    : initialised_(SUCCEEDED(
          CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}

ComApartment::~ComApartment() {
  if (initialised_) CoUninitialize();
}

}  // namespace vistrane
