// The forms shown in real Win32 windows: each loaded form has its window, shown modally
// (the other windows take no input meanwhile) or as the main window with a message loop.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "core/run_state.h"
#include "forms/toolkit/renderer.h"
#include "forms/win32/form_window.h"

namespace kelvort {

class Win32Renderer : public Renderer {
 public:
  explicit Win32Renderer(RunState& state);
  ~Win32Renderer() override;

  WindowHandle Attach(Form& form, std::function<void()> close) override;
  void Detach(Form& form) override;
  void ShowModal(Form& form) override;
  void ShowUntilClosed(Form& form) override;

 private:
  // Shows the form and dispatches messages until it is hidden or unloaded.
  void RunShowing(Form& form);

  RunState& state_;
  std::map<const Form*, std::unique_ptr<FormWindow>> windows_;
  // Windows of unloaded forms, destroyed once no message of theirs is being handled.
  std::vector<std::unique_ptr<FormWindow>> retired_;
};

}  // namespace kelvort
