// The renderer of a program without a display.
#include "forms/toolkit/headless_renderer.h"

#include "forms/toolkit/form.h"
#include "util/run_error.h"

namespace kelvort {

void HeadlessRenderer::ShowModal(Form& form) {
  Raise(errors::kInvalidProcedureCall,
        "The window " + form.Name() + " cannot be shown: no display is available.");
}

}  // namespace kelvort
