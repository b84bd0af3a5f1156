// The run with its options: the dry run and the report written at the run's end.
#pragma once

#include "app/command_line.h"
#include "core/run_state.h"

namespace kelvort {

// Runs Main as the options ask and answers the exit status. Without options this is Main
// alone; --settings and --window show the windows instead of a run. A report is written at the end
// of every run, also one that ended early; a report that cannot be written is a reported failure,
// which makes the exit status 2, and is found out before the run touches a document.
int RunWithOptions(RunState& state, const CommandLine& options);

}  // namespace kelvort
