// kelvort --check: the settings a run would use, lang.xml and the running CATIA checked
// and reported, nothing changed.
#pragma once

#include <string>

#include "core/run_state.h"

namespace kelvort {

// Checks, shows the findings in one message box (one line a finding, naming the file and
// the line) and, when report_file is given, writes them there too (a page for .html or
// .htm, plain text otherwise). Answers 0 when nothing was found wrong, 1 when something
// was, 2 when the report could not be written.
int RunCheck(RunState& state, const std::string& report_file);

}  // namespace kelvort
