// Menu items.
#include "forms/toolkit/menu.h"

namespace kelvort {

Menu::Menu(const ControlDesign& design, std::string parent, bool checked)
    : CaptionedControl("Menu", design), parent_(std::move(parent)), checked_(checked) {
  members().AddProperty(
      "Checked", [this] { return Variant(checked_); },
      [this](const Variant& v) { SetChecked(v.ToBoolean()); });
}

void Menu::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}

}  // namespace kelvort
