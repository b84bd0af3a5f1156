// The renderer with the desktop's real windows, where the build has a desktop for them.
#pragma once

#include <memory>

#include "core/run_state.h"
#include "forms/toolkit/renderer.h"

namespace kelvort {

// The desktop's renderer; null where the build shows no windows (the terminal-only builds).
// A failure in an event procedure run from a window is reported through the state's
// common error message.
std::unique_ptr<Renderer> CreateDesktopRenderer(RunState& state);

}  // namespace kelvort
