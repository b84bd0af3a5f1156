// Shows one of the program's dialogs modally.
#include "forms/show_formular.h"

#include "app/run_state.h"
#include "forms/frm_main.h"
#include "log/procedure.h"

namespace kelvort {

void ShowFormular(RunState& state, FormId form) {
  Procedure(state, "ShowFormular", Gate::kNone, [&] {
    const bool topmost = state.forms.frmMain().menForeground.Checked();
    const WindowHandle window = state.forms.Get(form).hWnd();
    state.platform.windows.SetTopmost(window, topmost);
    state.forms.ShowModal(form);
  });
}

}  // namespace kelvort
