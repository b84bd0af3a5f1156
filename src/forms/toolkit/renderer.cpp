// A renderer without windows of its own: handles that only tell the forms apart.
#include "forms/toolkit/renderer.h"

namespace kelvort {

WindowHandle Renderer::Attach(Form&, std::function<void()>) {
  return next_handle_++;
}

void Renderer::Detach(Form&) {}

}  // namespace kelvort
