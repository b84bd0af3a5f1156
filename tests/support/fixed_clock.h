// A clock that always answers the same moment, settable by the test.
#pragma once

#include "platform/platform.h"

namespace kelvort::testing {

class FixedClock : public Clock {
 public:
  DateTime Now() const override { return now; }
  DateTime now{2024, 3, 5, 14, 7, 9};
};

}  // namespace kelvort::testing
