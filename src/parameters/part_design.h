// Part design entered for a part placed in an assembly only once the run creates something
// in it: a part that lacks nothing is neither selected, nor switched to, nor updated.
#pragma once

#include <memory>

#include "core/run_state.h"
#include "host/dispatch.h"

namespace kelvort {

class PartDesignOnDemand {
 public:
  PartDesignOnDemand(RunState& state, DispatchPtr part, DispatchPtr selection);

  // The part as the walk hands it on: its parameter and formula collections are guarded.
  DispatchPtr part() const;
  // The collection with its create calls preceded, the first time, by selecting the part
  // and starting part design. A dry run's record creates nothing and so enters nothing.
  DispatchPtr Guarded(const DispatchPtr& collection) const;
  // Whether a create call was made in the part, which then needs its update.
  bool entered() const;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace kelvort
