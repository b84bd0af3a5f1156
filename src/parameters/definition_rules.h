// The judgement of one parameter definition, which the run and the check share.
#pragma once

#include <optional>
#include <string>

#include "core/run_state.h"

namespace kelvort {

// The message that rejects the definition, in the current language, or nothing when the
// run accepts it: a missing name or type, a name holding a single quote (it ends the
// formula search's quoted name) or a backslash (the formula's body would be a path that
// reads another parameter), a non-empty default that the type does not take (an Integer
// its 32-bit integers cannot hold, a Boolean other than true or false, a value outside a
// list of permitted values, compared exactly as written).
std::optional<std::string> DefinitionRejection(RunState& state, const ParameterRow& row);

}  // namespace kelvort
