// The texts of kelvort --check: lang.xml texts with places for values ("%1", "%2", ...).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/run_state.h"

namespace kelvort {

// The key's text in the current language with the values put in for "%1", "%2", ...
std::string FilledText(RunState& state, std::string_view key,
                       const std::vector<std::string>& values);

}  // namespace kelvort
