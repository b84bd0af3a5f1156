// The program's windows on request (--settings, --window) instead of a run.
#pragma once

#include "core/run_state.h"

namespace kelvort {

// Loads the main window as a run does (settings, texts, the stay-on-top mark) and shows
// the settings dialog through ShowFormular, or, with main_window, the main window until it
// is closed. Answers the exit status: 1 where the build has no windows (after a box that
// says so), 2 when a failure was reported, else 0.
int ShowWindows(RunState& state, bool main_window);

}  // namespace kelvort
