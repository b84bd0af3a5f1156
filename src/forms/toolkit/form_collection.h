// The program's forms as the run state reaches them: by their identity, loaded on first
// access, without knowing the concrete forms.
#pragma once

#include <memory>

#include "core/run_state.h"

namespace kelvort {

class Form;
class Renderer;

enum class FormId { kMain, kSettings, kFileBrowser, kFolderBrowser, kAbout };

class FormCollection {
 public:
  virtual ~FormCollection() = default;

  // Loads the form when it is not loaded. The reference stays valid until the form is
  // unloaded; the next access then loads a fresh form.
  virtual Form& Get(FormId id) = 0;
  virtual bool IsLoaded(FormId id) const = 0;
  // Runs the form's Form_Unload and drops it. A form that is not loaded is not touched.
  virtual void Unload(FormId id) = 0;
  // Shows the form modally through the renderer (loading it first when needed); returns
  // when the form has been hidden or unloaded.
  virtual void ShowModal(FormId id) = 0;

  virtual Renderer& renderer() = 0;
  // Puts another renderer in place (the headless one is the default), before a form loads:
  // the renderer gives each loading form its window.
  virtual void SetRenderer(std::unique_ptr<Renderer> renderer) = 0;
};

// The forms the run state points to; run-time error 91 when the run has none.
FormCollection& FormCollectionOf(const RunState& state);

}  // namespace kelvort
