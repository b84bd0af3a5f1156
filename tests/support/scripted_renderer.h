// A renderer for tests: while a form is shown modally it performs the user's steps that the
// test queued (clicks, typing, choices), one queued script per showing.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "forms/toolkit/form.h"
#include "forms/toolkit/renderer.h"

namespace kelvort::testing {

class ScriptedRenderer : public Renderer {
 public:
  using Script = std::function<void(Form&)>;

  // What the user does during the next modal showing; the script must end the showing
  // (hide or unload the form), as a user's OK or Cancel does.
  void Then(Script script) { scripts_.push_back(std::move(script)); }
  // The same for a form of a known type.
  template <typename FormType>
  void Then(std::function<void(FormType&)> script) {
    Then([script = std::move(script)](Form& form) { script(dynamic_cast<FormType&>(form)); });
  }

  // Makes the form visible and active, gives it the focus and runs the next script. A showing
  // without a script, or one that the script leaves open, fails the test (a real modal
  // loop would wait for ever) and is ended.
  void ShowModal(Form& form) override;

  // The names of the forms shown, in order.
  std::vector<std::string> shown;
  // Whether each showing found its form topmost, in order.
  std::vector<bool> shown_topmost;

  // How the renderer tells whether a window is topmost (the platform's window stacking).
  std::function<bool(WindowHandle)> is_topmost;

 private:
  std::deque<Script> scripts_;
};

}  // namespace kelvort::testing
