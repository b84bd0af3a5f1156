// The host part of kelvort --check: the running CATIA tried on scratch documents that the
// check makes itself, never on the user's.
#pragma once

#include <string>
#include <vector>

#include "core/run_state.h"
#include "settings/check_finding.h"

namespace kelvort {

// With exactly one CATIA running, tries on a new part and a new product document the
// behaviours the run relies on (type names, the names of parameters and user properties,
// Item by the keys the run uses, SetEnumerateValues keeping the value held, CreateFormula
// and its name, the Parent steps from a formula to its document, the formula search through
// the active document's selection), adds a finding ("CATIA") for each one the host does
// otherwise, and answers a line for each one met. The scratch documents are then closed
// without saving (DisplayFileAlerts off only around the close) and the user's active
// document is made active again. Without exactly one CATIA the answer says that the host was
// not checked.
std::vector<std::string> CheckHost(RunState& state, CheckFindings& findings);

}  // namespace kelvort
