// The run-time error a piece of code raises, for tests that check failures.
#pragma once

#include <cstdint>

#include <gtest/gtest.h>

#include "util/run_error.h"

namespace kelvort::testing {

// The RunError that body raises; a test failure (and number 0) when it raises none.
template <typename Body>
RunError FailureOf(Body&& body) {
  try {
    body();
  } catch (const RunError& error) {
    return error;
  }
  ADD_FAILURE() << "no run-time error was raised";
  return RunError(0, "none");
}

// The number of the run-time error that a step raises; 0 when it raises none.
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
