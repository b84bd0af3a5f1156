// A menu item: a top-level menu or an item under one, with its caption, check mark and
// Click event.
#pragma once

#include <string>

#include "forms/toolkit/control.h"

namespace kelvort {

class Menu : public CaptionedControl {
 public:
  // parent is the name of the menu the item stands under; empty for a top-level menu.
  explicit Menu(const ControlDesign& design, std::string parent = {}, bool checked = false);
  const std::string& parent() const { return parent_; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 private:
  std::string parent_;
  bool checked_;
};

}  // namespace kelvort
