// Command buttons, option buttons and check boxes.
#include "forms/toolkit/buttons.h"

#include "forms/toolkit/form.h"
#include "util/run_error.h"

namespace kelvort {

CommandButton::CommandButton(const ControlDesign& design)
    : CaptionedControl("CommandButton", design) {
  AddPlacementMembers();
  members().AddProperty(
      "Default", [this] { return Variant(default_); },
      [this](const Variant& v) { default_ = v.ToBoolean(); });
  members().AddProperty(
      "Cancel", [this] { return Variant(cancel_); },
      [this](const Variant& v) { cancel_ = v.ToBoolean(); });
}

OptionButton::OptionButton(const ControlDesign& design, bool selected, std::string group)
    : CaptionedControl("OptionButton", design), value_(selected), group_(std::move(group)) {
  AddPlacementMembers();
  members().AddProperty(
      "Value", [this] { return Variant(value_); },
      [this](const Variant& v) { SetValue(v.ToBoolean()); });
}

void OptionButton::SetValue(bool value) {
  if (value == value_) return;
  value_ = value;
  Changed();
  if (!value) return;
  if (form() != nullptr) {
    for (Control* control : form()->Controls()) {
      auto* other = dynamic_cast<OptionButton*>(control);
      if (other != nullptr && other != this && other->group_ == group_ && other->value_) {
        other->value_ = false;
        other->Changed();
      }
    }
  }
  FireClick();
}

bool OptionButton::UserClick() {
  if (!TakesInput()) return false;
  SetValue(true);
  return true;
}

CheckBox::CheckBox(const ControlDesign& design, int16_t value)
    : CaptionedControl("CheckBox", design), value_(value) {
  AddPlacementMembers();
  members().AddProperty(
      "Value", [this] { return Variant(value_); },
      [this](const Variant& v) { SetValue(v.ToInteger()); });
}

void CheckBox::SetValue(int16_t value) {
  if (value < kUnchecked || value > kGrayed) Raise(errors::kInvalidPropertyValue);
  if (value == value_) return;
  value_ = value;
  Changed();
  FireClick();
}

bool CheckBox::UserClick() {
  if (!TakesInput()) return false;
  SetValue(value_ == kUnchecked ? kChecked : kUnchecked);
  return true;
}

}  // namespace kelvort
