// Whether a definition's formula may be added without changing or breaking what the user
// has in its user property.
#pragma once

#include <optional>
#include <string>

#include "core/run_state.h"
#include "host/dispatch.h"
#include "parameters/visit_items.h"

namespace kelvort {

// What stands in the way of the formula that would drive the user property from the
// definition's parameter: "driven by <relation>" when another relation computes the user
// property, "types differ: <parameter's> and <user property's>" when the formula could not
// assign its value, "values differ: parameter <p>, user property <u>" when it would
// overwrite the value the user property held before the run. Nothing when the formula may
// be made, and nothing asked of the host when the run made both items from the definition.
// found is what the visit's fills learnt; without it nothing is known and nothing checked.
std::optional<std::string> FormulaClash(const ParameterRow& row, const DefinitionItems* found,
                                        Dispatch& user_property);

}  // namespace kelvort
