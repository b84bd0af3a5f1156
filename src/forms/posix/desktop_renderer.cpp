// Without a Windows desktop the forms have no windows: the program runs in the terminal.
#include "forms/toolkit/desktop_renderer.h"

namespace kelvort {

std::unique_ptr<Renderer> CreateDesktopRenderer(RunState&) {
  return nullptr;
}

}  // namespace kelvort
