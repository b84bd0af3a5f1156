// The host part of kelvort --check: the running CATIA tried on scratch documents that the
// check makes itself, never on the user's.
#pragma once

#include <string>
#include <vector>

#include "core/run_state.h"
#include "settings/check_finding.h"

namespace kelvort {

// With exactly one CATIA running, tries on a new part and a new product document the
// behaviours the run relies on (RefreshDisplay switched off by the attach, type names, the
// names of parameters and user properties, Item by the keys the run uses, SetEnumerateValues
// keeping the value held, CreateFormula and its name, GetNameToUseInRelation beside the body
// the run writes, the Parent steps from a formula to its document's FullName, the run's own
// formula search through the active document's selection, ApplyWorkMode), adds a finding
// ("CATIA") for each one the host does otherwise, and answers a line for each one met. The
// scratch documents are then closed without saving (DisplayFileAlerts off only around the
// close), RefreshDisplay is given back and the user's active document is made active again.
// Without exactly one CATIA the answer says that the host was not checked.
std::vector<std::string> CheckHost(RunState& state, CheckFindings& findings);

}  // namespace kelvort
