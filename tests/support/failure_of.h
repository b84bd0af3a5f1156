// The run-time error a piece of code raises, for tests that check failures.
#pragma once

#include <cstdint>
#include <utility>

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

// The number of the run-time error that a step raises; a test failure (and 0) when it raises
// none.
template <typename Step>
int32_t RaisedNumber(Step&& step) {
  return FailureOf(std::forward<Step>(step)).number();
}

}  // namespace kelvort::testing
