// Shows one of the program's dialogs modally.
#include "forms/show_formular.h"

#include "core/run_state.h"
#include "forms/forms.h"
#include "forms/frm_main.h"
#include "log/procedure.h"

namespace kelvort {

void ShowFormular(RunState& state, FormId form) {
  Procedure(state, "ShowFormular", Gate::kNone, [&] {
    const bool topmost = FormsOf(state).frmMain().menForeground.Checked();
    const WindowHandle window = FormsOf(state).Get(form).hWnd();
    state.platform.windows.SetTopmost(window, topmost);
    FormsOf(state).ShowModal(form);
  });
}

}  // namespace kelvort
