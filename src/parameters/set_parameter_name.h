// Reads and checks the parameter definitions of Settings.xml.
#pragma once

#include <cstdint>

#include "core/run_state.h"

namespace kelvort {

// Fills ParameterDefs from the Parameters element of the Settings.xml in use and checks
// each definition as it is read. Answers 1 when a definition was rejected (its message has
// been shown), 0 otherwise; a run-time failure is reported under "SetParameterName".
int16_t SetParameterName(RunState& state);

}  // namespace kelvort
