// The definition table as the creating procedures walk it.
#pragma once

#include <vector>

#include "core/run_state.h"

namespace kelvort {

// The rows of ParameterDefs. A table that was never dimensioned raises run-time error 9;
// one whose last row number exceeds a 16-bit row counter raises 6.
const std::vector<ParameterRow>& DefinitionRows(const RunState& state);

}  // namespace kelvort
