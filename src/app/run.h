// The program's one run: from the settings to the parameters created in the active
// CATIA document and the message that tells how it went.
#pragma once

#include <functional>

#include "core/run_state.h"

namespace kelvort {

// Exit statuses of the program.
inline constexpr int kExitSuccess = 0;
// Not one CATIA, no document, a rejected definition, another run going on, a stop asked.
inline constexpr int kExitStoppedEarly = 1;
inline constexpr int kExitFailureReported = 2;

// Runs the whole job once against the running CATIA and answers the exit status: 2 when a
// failure was reported during the run, else 1 when the run stopped early, else 0.
// ready_to_change, when given, is asked once the definitions are accepted and before any
// document is touched; false stops the run there (it has reported why).
int Main(RunState& state, const std::function<bool()>& ready_to_change = {});

}  // namespace kelvort
