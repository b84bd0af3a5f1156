// Creates the parameters of the definition table that a host collection still lacks.
#pragma once

#include "core/run_state.h"
#include "host/dispatch.h"
#include "parameters/defining_document.h"
#include "parameters/visit_items.h"

namespace kelvort {

// Brings one parameter or user-property collection up to date with ParameterDefs: every
// defined parameter the collection does not hold is created with its type, permitted
// values and default; nothing existing is changed. primary is true for a parameter
// collection; with a product document as owner it makes the look-up use the key prefixed
// with the collection's parent name. Failures are reported under "Fill_Part".
// The owner document comes as the walk holds it (its type is asked at most once), with what
// the visit's fills learn. A new parameter whose user property in
// items.user_properties() exists takes that property's value where it converts exactly;
// the user-property fill then takes the answer of that look-up instead of asking again.
void Fill_Part(RunState& state, const DispatchPtr& collection, bool primary,
               const DefiningDocument& owner_document, VisitItems& items);

}  // namespace kelvort
