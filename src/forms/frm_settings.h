// The settings dialog: the language choice (English or German), stored by Save and
// reverted by Cancel. Its option buttons are the program's current language.
#pragma once

#include <cstdint>
#include <optional>

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
  // The language selected when the dialog was last shown (-1 for none), for Cancel to
  // return to.
  std::optional<int16_t> shown_choice_;
  void Form_Load() override;
  void Form_Activate() override;
  void cmdSave_Click();
  void cmdCancel_Click();
};

}  // namespace kelvort
