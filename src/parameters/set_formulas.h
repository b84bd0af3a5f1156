// Adds the "Form_" formula of every defined parameter that does not have one yet.
#pragma once

#include "app/run_state.h"
#include "host/dispatch.h"

namespace kelvort {

// Makes sure that every definition of ParameterDefs has a formula "Form_<Name>" driving
// the product's user property of that name. product may be null: the root product of the
// part's document is then taken. Existing formulas are never changed. Failures are
// reported under "Set_Formulas".
void Set_Formulas(RunState& state, const DispatchPtr& product, const DispatchPtr& part);

}  // namespace kelvort
