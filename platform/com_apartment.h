#pragma once
// COM on the calling thread, for as long as the object lives: the Windows
// Imaging Component needs it for JPEG files.
#include <windows.h>

namespace vistrane {

class ComApartment {
 public:
  // A single-threaded apartment. A failure is kept, not thrown: the program
  // runs on, and the COM calls made later report CO_E_NOTINITIALIZED.
  ComApartment() noexcept;
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

}  // namespace vistrane
