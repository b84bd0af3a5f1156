// How forms are shown modally. The program's procedures never know which renderer runs:
// the headless one, a scripted one in tests, or one with real windows.
#pragma once

namespace kelvort {

class Form;

class Renderer {
 public:
  virtual ~Renderer() = default;
  // Shows a loaded form modally and returns when it has been hidden or unloaded. A
  // renderer that cannot show it raises a run-time error.
  virtual void ShowModal(Form& form) = 0;
};

}  // namespace kelvort
