// The run-time error a piece of code raises, for tests that check failures.
#pragma once

#include <gtest/gtest.h>

#include "log/run_error.h"

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

}  // namespace kelvort::testing
