// The forms the run state points to.
#include "forms/toolkit/form_collection.h"

#include "util/run_error.h"

namespace kelvort {

FormCollection& FormCollectionOf(const RunState& state) {
  if (state.forms == nullptr) Raise(errors::kObjectVariableNotSet);
  return *state.forms;
}

}  // namespace kelvort
