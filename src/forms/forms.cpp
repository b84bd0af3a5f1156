// The program's five forms, loaded on first access.
#include "forms/forms.h"

#include "forms/frm_about.h"
#include "forms/frm_file_browser.h"
#include "forms/frm_folder_browser.h"
#include "forms/frm_main.h"
#include "forms/frm_settings.h"
#include "forms/toolkit/headless_renderer.h"
#include "forms/toolkit/toolkit_errors.h"
#include "util/run_error.h"

namespace kelvort {

Forms::Forms(RunState& state) : state_(state), renderer_(std::make_unique<HeadlessRenderer>()) {
  state_.forms = this;
}

Forms::~Forms() {
  if (state_.forms == this) state_.forms = nullptr;
}

Forms& FormsOf(const RunState& state) {
  return dynamic_cast<Forms&>(FormCollectionOf(state));
}

template <typename T>
T& Forms::Load(FormId id) {
  std::shared_ptr<Form>& slot = loaded_[static_cast<size_t>(id)];
  if (!slot) {
    auto form = std::make_shared<T>(state_);
    slot = form;
    try {
      form->Load(renderer_->Attach(*form, [this, id] { Unload(id); }));
    } catch (...) {
      if (slot == form) slot.reset();
      throw;
    }
    if (slot != form) Raise(errors::kObjectUnloaded, "Object was unloaded");
  }
  return static_cast<T&>(*slot);
}

FrmMain& Forms::frmMain() {
  return Load<FrmMain>(FormId::kMain);
}
FrmSettings& Forms::frmSettings() {
  return Load<FrmSettings>(FormId::kSettings);
}
FrmFileBrowser& Forms::frmFileBrowser() {
  return Load<FrmFileBrowser>(FormId::kFileBrowser);
}
FrmFolderBrowser& Forms::frmFolderBrowser() {
  return Load<FrmFolderBrowser>(FormId::kFolderBrowser);
}
FrmAbout& Forms::frmAbout() {
  return Load<FrmAbout>(FormId::kAbout);
}

Form& Forms::Get(FormId id) {
  switch (id) {
    case FormId::kMain:
      return frmMain();
    case FormId::kSettings:
      return frmSettings();
    case FormId::kFileBrowser:
      return frmFileBrowser();
    case FormId::kFolderBrowser:
      return frmFolderBrowser();
    case FormId::kAbout:
      return frmAbout();
  }
  Raise(errors::kInvalidProcedureCall);
}

bool Forms::IsLoaded(FormId id) const {
  return loaded_[static_cast<size_t>(id)] != nullptr;
}

void Forms::Unload(FormId id) {
  std::shared_ptr<Form>& slot = loaded_[static_cast<size_t>(id)];
  const std::shared_ptr<Form> form = slot;
  if (!form) return;
  form->Unload();
  renderer_->Detach(*form);
  if (slot == form) slot.reset();
}

void Forms::ShowModal(FormId id) {
  Get(id);
  const std::shared_ptr<Form> form = loaded_[static_cast<size_t>(id)];
  renderer_->ShowModal(*form);
}

void Forms::ShowUntilClosed(FormId id) {
  Get(id);
  const std::shared_ptr<Form> form = loaded_[static_cast<size_t>(id)];
  renderer_->ShowUntilClosed(*form);
}

void Forms::SetRenderer(std::unique_ptr<Renderer> renderer) {
  renderer_ = std::move(renderer);
}

}  // namespace kelvort
