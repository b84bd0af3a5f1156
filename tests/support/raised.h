// The number of the run-time error that a step raises, for tests that expect one.
#pragma once

#include <cstdint>

#include "log/run_error.h"

namespace kelvort::testing {

// 0 when the step raises nothing.
template <typename Step>
int32_t RaisedNumber(Step&& step) {
  try {
    step();
  } catch (const RunError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace kelvort::testing
