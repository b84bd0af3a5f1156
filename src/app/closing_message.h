// The message that closes a run: how it ended, what it added, and where its failures
// are described.
#pragma once

#include <string>
#include <vector>

#include "core/run_state.h"
#include "report/run_record.h"

namespace kelvort {

// The lines of the closing box, in the run's language: the first says how the run ended
// (success, success with errors, a dry run, a stop at the user's request), the next what
// was added or that nothing was missing, the last how many failures there were and the
// file that describes them. Every further line of the closing box belongs here too.
std::vector<std::string> ClosingLines(RunState& state, const RunRecorder& record,
                                      const std::string& last_run_file);

// Shows the closing box with those lines under the title "Kelvort".
void ShowClosingMessage(RunState& state, const RunRecorder& record,
                        const std::string& last_run_file);

}  // namespace kelvort
