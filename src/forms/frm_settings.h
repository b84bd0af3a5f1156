// The settings dialog: the language choice (English or German), stored by Save and
// reverted by Cancel. Its option buttons are the program's current language.
#pragma once

#include "forms/toolkit/buttons.h"
#include "forms/toolkit/control_array.h"
#include "forms/toolkit/form.h"
#include "forms/toolkit/static_controls.h"

namespace kelvort {

struct RunState;

class FrmSettings : public Form {
  RunState& state_;

 public:
  explicit FrmSettings(RunState& state);

  // Member 0 English (selected at design), member 1 German.
  ControlArray<OptionButton> optLang;
  CommandButton& cmdCancel;
  CommandButton& cmdSave;
  Label& lblSprache;

 private:
  void Form_Load() override;
  void cmdSave_Click();
  void cmdCancel_Click();
};

}  // namespace kelvort
