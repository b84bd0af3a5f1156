// The program's windows on request.
#include "app/windows_run.h"

#include "app/run.h"
#include "forms/forms.h"
#include "forms/show_formular.h"
#include "forms/toolkit/desktop_renderer.h"
#include "lang/language.h"

namespace kelvort {

int ShowWindows(RunState& state, bool main_window) {
  std::unique_ptr<Renderer> renderer = CreateDesktopRenderer(state);
  const bool has_windows = renderer != nullptr;
  Forms& forms = FormsOf(state);
  // Every form gets its window from the renderer as it loads.
  if (has_windows) forms.SetRenderer(std::move(renderer));
  forms.frmMain();
  if (!has_windows) {
    state.platform.message_boxes.Show(BoxText(state, "WindowsOnlyOnWindows"),
                                      BoxText(state, "Abort"));
  } else if (main_window) {
    forms.ShowUntilClosed(FormId::kMain);
  } else {
    ShowFormular(state, FormId::kSettings);
  }
  forms.Unload(FormId::kMain);
  if (!has_windows) return kExitStoppedEarly;
  return state.FailureCount > 0 ? kExitFailureReported : kExitSuccess;
}

}  // namespace kelvort
