// The check of the definitions in a Settings.xml document, for kelvort --check: what a run
// would refuse or stop at, and the traps it would take as written.
#pragma once

#include <string>

#include "core/run_state.h"
#include "settings/check_finding.h"
#include "settings/xml_document.h"

namespace kelvort {

// Adds a finding for each of: no Parameters element; a Parameter element without one of
// its three attributes, or with another attribute (named with the attribute it resembles);
// a definition the run rejects; a name given again, or with blanks at an end; a permitted
// value with blanks at an end, or empty; a type that looks like a misspelt Integer or
// Boolean. file is the document's path, as the findings name it.
void CheckDefinitions(RunState& state, const XmlDocument& settings, const std::string& file,
                      CheckFindings& findings);

}  // namespace kelvort
