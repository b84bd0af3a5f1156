// The host part of kelvort --check: whether the running CATIA could be reached.
#pragma once

#include <string>
#include <vector>

#include "core/run_state.h"
#include "settings/check_finding.h"

namespace kelvort {

// The lines that say how far the host was checked. Without exactly one CATIA: that it was
// not checked. With one: that it was reached, and that its behaviour on scratch documents
// is not tried yet (no finding is added for it).
std::vector<std::string> CheckHost(RunState& state, CheckFindings& findings);

}  // namespace kelvort
