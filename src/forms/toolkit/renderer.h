// How forms get their windows and are shown. The program's procedures never know which
// renderer runs: the headless one, a scripted one in tests, or one with real windows.
#pragma once

#include <functional>

#include "platform/platform.h"

namespace kelvort {

class Form;

class Renderer {
 public:
  virtual ~Renderer() = default;
  // Gives a loading form its window and answers the window's handle. close does what the
  // window's close box does: it unloads the form through the forms collection.
  virtual WindowHandle Attach(Form& form, std::function<void()> close);
  // Takes the window of a form that has been unloaded.
  virtual void Detach(Form& form);
  // Shows a loaded form modally and returns when it has been hidden or unloaded. A
  // renderer that cannot show it raises a run-time error.
  virtual void ShowModal(Form& form) = 0;
  // Shows a loaded form without a modal (the main window) and runs the message loop until
  // it is hidden or unloaded. A renderer without a desktop shows it as it shows a modal.
  virtual void ShowUntilClosed(Form& form) { ShowModal(form); }

 private:
  WindowHandle next_handle_ = 1;
};

}  // namespace kelvort
