// The local date and time of day on POSIX.
#pragma once

#include "platform/platform.h"

namespace kelvort {

class PosixClock : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace kelvort
