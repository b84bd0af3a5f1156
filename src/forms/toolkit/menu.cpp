// Menu items.
#include "forms/toolkit/menu.h"

namespace kelvort {

Menu::Menu(const ControlDesign& design, std::string parent, bool checked)
    : CaptionedControl("Menu", design), parent_(std::move(parent)), checked_(checked) {
  members().AddProperty(
      "Checked", [this] { return Variant(checked_); },
      [this](const Variant& v) { checked_ = v.ToBoolean(); });
}

}  // namespace kelvort
