// The check of lang.xml for kelvort --check: there, readable, and holding every text the
// program shows in every language it offers.
#pragma once

#include "core/run_state.h"
#include "settings/check_finding.h"

namespace kelvort {

// Adds the findings about lang.xml: what CheckedXmlFile finds, a key of the program that
// is missing (CheckLangKeyMissing) or lacks the text of a language (CheckLangTextMissing).
void CheckLangFile(RunState& state, CheckFindings& findings);

}  // namespace kelvort
