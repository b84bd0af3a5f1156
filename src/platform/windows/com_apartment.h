// COM for the run: one apartment-threaded initialisation on the thread that makes every
// call, released at the end.
#pragma once

#include "platform/windows/win32.h"

namespace kelvort {

class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // Every interface must have been released before.
  ~ComApartment() {
    if (initialized_) ::CoUninitialize();
  }

 private:
  bool initialized_;
};

}  // namespace kelvort
