// Command buttons, option buttons (which exclude each other within their group) and check
// boxes.
#pragma once

#include <cstdint>

#include "forms/toolkit/control.h"

namespace kelvort {

class CommandButton : public CaptionedControl {
 public:
  explicit CommandButton(const ControlDesign& design);
  // Whether Enter (Default) or Escape (Cancel) presses the button.
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

 private:
  bool default_ = false;
  bool cancel_ = false;
};

// One option button; the buttons of one group on a form exclude each other: selecting one
// clears the others. Click follows a change to selected.
class OptionButton : public CaptionedControl {
 public:
  // group names the container (empty: the form itself).
  explicit OptionButton(const ControlDesign& design, bool selected = false, std::string group = {});
  bool Value() const { return value_; }
  void SetValue(bool value);
  const std::string& group() const { return group_; }
  // Selects the button.
  bool UserClick() override;

 private:
  bool value_;
  std::string group_;
};

// A check box: Value 0 unchecked, 1 checked, 2 grayed; any other value raises 380. Click
// follows a change of Value.
class CheckBox : public CaptionedControl {
 public:
  static constexpr int16_t kUnchecked = 0, kChecked = 1, kGrayed = 2;
  explicit CheckBox(const ControlDesign& design, int16_t value = kUnchecked);
  int16_t Value() const { return value_; }
  void SetValue(int16_t value);
  // Checks an unchecked box and clears a checked or grayed one.
  bool UserClick() override;

 private:
  int16_t value_;
};

}  // namespace kelvort
