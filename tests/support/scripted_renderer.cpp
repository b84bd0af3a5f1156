// A renderer for tests that performs queued user steps while a form is shown.
#include "support/scripted_renderer.h"

#include <gtest/gtest.h>

namespace kelvort::testing {

void ScriptedRenderer::ShowModal(Form& form) {
  shown.push_back(form.Name());
  if (is_topmost) shown_topmost.push_back(is_topmost(form.hWnd()));
  if (scripts_.empty()) {
    ADD_FAILURE() << form.Name() << " was shown, but the test gave no steps for it";
    return;
  }
  const Script script = std::move(scripts_.front());
  scripts_.pop_front();
  form.SetVisible(true);
  form.Activate();
  form.GotFocus();
  script(form);
  if (form.IsLoaded() && form.Visible()) {
    ADD_FAILURE() << form.Name() << " is still shown after its steps";
    form.Hide();
  }
}

}  // namespace kelvort::testing
