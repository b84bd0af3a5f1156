// The walk over the active document's structure.
#pragma once

#include "core/run_state.h"
#include "host/dispatch.h"

namespace kelvort {

// Walks the structure depth first from a product (part null) or from a part alone
// (product null), filling every product's and part's parameters and user properties and
// adding their formulas. A part in a document of its own is selected, the workbench is
// switched to part design for it, and the part is updated after its subtree. A failure
// ends the call it happens in, reported under "SetInformations"; the caller goes on. A stop
// asked by the user ends the walk after the product or part in hand.
void SetInformations(RunState& state, const DispatchPtr& product, const DispatchPtr& part,
                     const DispatchPtr& selection);

}  // namespace kelvort
