// The run's hooks into its record: what the walk reaches, adds and finds, and the dry run
// that goes through the same decisions but stops before every change to a document.
// Without a recorder (no report, no dry run) each hook leaves the run exactly as it is.
#pragma once

#include <exception>
#include <string>

#include "core/run_state.h"
#include "host/dispatch.h"
#include "report/run_record.h"

namespace kelvort {

// Whether the run may change the documents; a dry run only records.
bool MayChange(const RunState& state);

// The collection as the run uses it: the collection itself when nothing is recorded;
// otherwise one that records what is created and found in it, and that in a dry run
// creates nothing and finds what the run would have created.
DispatchPtr Recorded(RunState& state, const DispatchPtr& collection, ItemKind kind);

// Whether the formula counts as existing in the document being visited: found by the
// host, or one the dry run would have created. An existing one is recorded as such.
bool KnownFormula(RunState& state, bool found_by_host, const std::string& formula_name);

// The parameter just created holds its user property's value, not the default.
void RecordValueTaken(RunState& state);

// A definition left without its formula at the node being visited, and what was found.
void RecordClash(RunState& state, std::string name, std::string finding);

// The instance path of the node being visited; empty when nothing is recorded.
std::string RecordedPath(const RunState& state);
// Marks the node being visited as a placement of the definition handled at the node of
// that path, and so not handled again.
void RecordSameDefinition(RunState& state, std::string first_path);

// Names the parameter definition the walk works on, for a failure to name it; an empty
// name once none is in hand.
void DefinitionInHand(RunState& state, const std::string& name);

// One product or part of the walk in the run's record, from construction to destruction.
// product is the product handled (the root product or a child instance); without one,
// part is the active part document's part.
class RecordedVisit {
 public:
  RecordedVisit(RunState& state, const DispatchPtr& product, const DispatchPtr& part);
  ~RecordedVisit();
  RecordedVisit(const RecordedVisit&) = delete;
  RecordedVisit& operator=(const RecordedVisit&) = delete;

 private:
  RunRecorder* recorder_;
  int exceptions_ = std::uncaught_exceptions();
};

}  // namespace kelvort
