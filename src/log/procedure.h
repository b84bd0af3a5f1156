// The handler convention of the program's procedures, in one place: a failure in the
// body is reported once under the procedure's own name, and the procedure leaves with its
// result as it stood. No error escapes to the caller.
#pragma once

#include <exception>
#include <string_view>
#include <type_traits>

#include "core/run_state.h"
#include "log/error_log.h"

namespace kelvort {

// Whether the procedure does nothing while ErrorOccurred is set.
enum class Gate { kNone, kErrorOccurred };

namespace detail {
// Runs body, reporting any failure under name. Returns true when the body ran to its end.
template <typename Body>
bool RunGuarded(RunState& state, std::string_view name, Body&& body) {
  try {
    body();
    return true;
  } catch (const RunError& error) {
    LogError(state, name, error);
  } catch (const std::bad_alloc&) {
    LogError(state, name, RunError(errors::kOutOfMemory));
  } catch (const std::exception& error) {
    LogError(state, name, RunError(errors::kInternalError, error.what()));
  }
  return false;
}
}  // namespace detail

// A procedure with a result: body(result) fills it; a failure leaves it as it stood.
//   return Procedure<std::string>(state, "CheckPath", Gate::kErrorOccurred,
//                                 [&](std::string& result) { ... });
template <typename Result, typename Body>
Result Procedure(RunState& state, std::string_view name, Gate gate, Body&& body) {
  Result result{};
  if (gate == Gate::kErrorOccurred && state.ErrorOccurred) return result;
  detail::RunGuarded(state, name, [&] { body(result); });
  return result;
}

// A procedure without a result.
template <typename Body>
void Procedure(RunState& state, std::string_view name, Gate gate, Body&& body) {
  if (gate == Gate::kErrorOccurred && state.ErrorOccurred) return;
  detail::RunGuarded(state, name, body);
}

// Runs a step with run-time errors ignored; answers whether it succeeded.
template <typename Body>
bool IgnoringErrors(Body&& body) {
  try {
    body();
    return true;
  } catch (const RunError&) {
    return false;
  }
}

}  // namespace kelvort
