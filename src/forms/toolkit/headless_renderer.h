// The renderer of a program without a display: a form cannot be shown there. (Message
// boxes stay with the platform, which writes them to the terminal.)
#pragma once

#include "forms/toolkit/renderer.h"

namespace kelvort {

class HeadlessRenderer : public Renderer {
 public:
  // Raises run-time error 5: there is no display to show the form on.
  void ShowModal(Form& form) override;
};

}  // namespace kelvort
