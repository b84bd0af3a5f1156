// On Windows the forms are shown in real windows.
#include "forms/toolkit/desktop_renderer.h"

#include "forms/win32/win32_renderer.h"

namespace kelvort {

std::unique_ptr<Renderer> CreateDesktopRenderer(RunState& state) {
  return std::make_unique<Win32Renderer>(state);
}

}  // namespace kelvort
