// A form: window properties, controls in order, lifecycle.
#include "forms/toolkit/form.h"

#include "forms/toolkit/toolkit_errors.h"
#include "util/run_error.h"

namespace kelvort {

Form::Form(FormSpec design)
    : design_(std::move(design)), caption_(design_.caption), tag_(design_.tag) {}

void Form::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (observer_ != nullptr) observer_->FormChanged(*this);
}

void Form::SetVisible(bool visible) {
  visible_ = visible;
  if (!visible) active_control_ = nullptr;
  if (observer_ != nullptr) observer_->FormChanged(*this);
}

Control& Form::ControlNamed(std::string_view name) const {
  for (Control* control : order_) {
    if (control->Name() == name) return *control;
  }
  Raise(errors::kControlNotFound, "Control '" + std::string(name) + "' not found");
}

void Form::Load(WindowHandle handle) {
  handle_ = handle;
  loaded_ = true;
  Form_Load();
}

void Form::Unload() {
  Form_Unload();
  Hide();
  loaded_ = false;
}

void Form::Adopt(std::unique_ptr<Control> control) {
  control->form_ = this;
  order_.push_back(control.get());
  controls_.push_back(std::move(control));
}

}  // namespace kelvort
