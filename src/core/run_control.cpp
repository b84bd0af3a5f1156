// The walk's hook into the run's control.
#include "core/run_control.h"

#include "report/run_record.h"

namespace kelvort {

bool WalkGoesOn(RunState& state, const DispatchPtr& node) {
  if (state.control == nullptr || state.control->NodeReached(state, node)) return true;
  if (state.recorder != nullptr) state.recorder->Stopped();
  return false;
}

}  // namespace kelvort
