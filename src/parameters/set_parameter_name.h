// Reads and checks the parameter definitions of Settings.xml.
#pragma once

#include <cstdint>

#include "core/run_state.h"

namespace kelvort {

// Whether the definitions were accepted, by the numbers the log knows.
enum class DefinitionResult : int16_t { kAccepted = 0, kRejected = 1 };

// Fills ParameterDefs from the Parameters element of the Settings.xml in use and checks
// each definition as it is read. Answers kRejected when a definition was rejected (its
// message has been shown); a run-time failure is reported under "SetParameterName" and
// answers kAccepted, the failure count telling the caller.
DefinitionResult SetParameterName(RunState& state);

}  // namespace kelvort
