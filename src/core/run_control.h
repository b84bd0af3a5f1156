// What the program's own process adds to a run: one run at a time, the user's stop and
// the progress shown while the walk goes on. A run state without one (tests of the
// procedures) runs without them.
#pragma once

#include "core/run_state.h"
#include "host/dispatch.h"

namespace kelvort {

class RunControl {
 public:
  virtual ~RunControl() = default;
  // Claims the user's single run; false when another run of the user holds it.
  virtual bool ClaimSingleRun(RunState& state) = 0;
  // The walk begins (the attached CATIA is in the state) and has ended.
  virtual void WalkBegins(RunState& state) = 0;
  virtual void WalkEnded(RunState& state) = 0;
  // The walk reached a product or part; false when the user asked the run to stop.
  virtual bool NodeReached(RunState& state, const DispatchPtr& node) = 0;
};

// The walk's hook, called as it reaches each product or part: false when the run must
// stop before this one (the run's record then says so).
bool WalkGoesOn(RunState& state, const DispatchPtr& node);

}  // namespace kelvort
