// The error log: reports a failure in Error.log and in a message box.
#pragma once

#include <string_view>

#include "core/product.h"
#include "core/run_state.h"
#include "util/run_error.h"

namespace kelvort {

// Reports a caught failure under the procedure's name: appends the first failure of an
// action to Error.log, raises ErrorOccurred, counts the failure and shows the error box
// (during the walk only for the run's first failure there).
// A host call abandoned at the user's stop (errors::kHostCallAbandoned) is no failure: it
// only marks the run as stopped and CATIA as not to be called again (RunState::HostAbandoned).
// Never throws and never starts another report from inside itself.
void LogError(RunState& state, std::string_view procedure, const RunError& error);

}  // namespace kelvort
