// The message that closes a run.
#include "app/closing_message.h"

#include <algorithm>

#include "core/product.h"
#include "lang/language.h"
#include "report/run_record.h"
#include "util/text.h"

namespace kelvort {
namespace {

std::string HowItEnded(RunState& state, const RunRecorder& record) {
  if (record.stopped()) {
    return FilledIn(BoxText(state, "RunStoppedByUser"), {std::to_string(record.nodes().size())});
  }
  if (record.dry_run()) {
    return BoxText(state, "DryRunNothingChanged") + std::to_string(record.Totals().added()) +
           BoxText(state, "DryRunItemsWouldBeAdded");
  }
  if (state.FailureCount == 0) return BoxText(state, "Parametersuccessfullycreated");
  return BoxText(state, state.ErrorLogEntries > 0 ? "ParametersCreatedWithErrorsLogged"
                                                  : "ParametersCreatedWithErrors");
}

std::string WhatWasAdded(RunState& state, const RunRecorder& record) {
  const RecordTotals totals = record.Totals();
  if (totals.added() == 0) {
    // Definitions left unlinked were missing something, which their own line tells; a
    // stopped run did not look at every node, so it cannot say that nothing was missing.
    const bool nothing_missing =
        !record.stopped() && state.FailureCount == 0 && state.UnlinkedDefinitions == 0;
    return nothing_missing ? BoxText(state, "RunNothingMissing") : std::string();
  }
  const auto nodes = std::count_if(record.nodes().begin(), record.nodes().end(),
                                   [](const RecordedNode& node) { return !node.added.empty(); });
  return FilledIn(BoxText(state, record.dry_run() ? "DryRunWouldAddItems" : "RunAddedItems"),
                  {std::to_string(totals.parameters), std::to_string(totals.user_properties),
                   std::to_string(totals.formulas), std::to_string(nodes)});
}

}  // namespace

std::vector<std::string> ClosingLines(RunState& state, const RunRecorder& record,
                                      const std::string& last_run_file) {
  std::vector<std::string> lines = {HowItEnded(state, record)};
  if (std::string added = WhatWasAdded(state, record); !added.empty()) {
    lines.push_back(std::move(added));
  }
  if (state.HostAbandoned) lines.push_back(BoxText(state, "RunHostDidNotAnswer"));
  // Definitions left without their formula, since linking them would have changed or
  // broken what a user property holds.
  if (state.UnlinkedDefinitions > 0) {
    lines.push_back(BoxText(state, "DefinitionsLeftUnlinked") +
                    std::to_string(state.UnlinkedDefinitions) +
                    FilledIn(BoxText(state, "DefinitionsLeftUnlinkedWhy"), {last_run_file}));
  }
  if (record.dry_run() && state.FailureCount > 0) {
    lines.push_back(BoxText(state, "DryRunErrorsOccurred"));
  }
  if (state.FailureCount > 0) {
    lines.push_back(FilledIn(BoxText(state, "RunFailuresDescribed"),
                             {std::to_string(state.FailureCount), last_run_file}));
  }
  return lines;
}

void ShowClosingMessage(RunState& state, const RunRecorder& record,
                        const std::string& last_run_file) {
  std::string text;
  for (const std::string& line : ClosingLines(state, record, last_run_file)) {
    text += (text.empty() ? "" : "\r\n") + line;
  }
  state.platform.message_boxes.Show(text, kProductName);
}

}  // namespace kelvort
