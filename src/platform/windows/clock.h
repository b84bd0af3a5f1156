// The local date and time of day on Windows.
#pragma once

#include "platform/platform.h"

namespace kelvort {

class WindowsClock : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace kelvort
