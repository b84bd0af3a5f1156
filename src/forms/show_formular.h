// Shows one of the program's dialogs modally, above all other windows while the main
// window's stay-on-top switch is on.
#pragma once

#include "forms/forms.h"

namespace kelvort {

struct RunState;

// Loads the form when needed and returns once it has been hidden or unloaded. A failure
// (no display, a form that cannot be loaded) is reported under "ShowFormular".
void ShowFormular(RunState& state, FormId form);

}  // namespace kelvort
