// The settings dialog.
#include "forms/frm_settings.h"

#include "core/run_state.h"
#include "form_state/form_state.h"
#include "forms/forms.h"
#include "forms/frm_main.h"
#include "forms/resources.h"
#include "lang/language.h"

namespace kelvort {
namespace {

FormSpec Design() {
  return {.name = "frmSettings",
          .caption = "Einstellungen",
          .tag = "Settings",
          .client_width = 3735,
          .client_height = 1335,
          .border = BorderStyle::kFixedSingle,
          .min_button = false,
          .max_button = false,
          .start_up_position = StartUpPosition::kCenterScreen,
          .icon = std::string(kProgramIcon)};
}

}  // namespace

FrmSettings::FrmSettings(RunState& state)
    : Form(Design()),
      state_(state),
      optLang{Add<OptionButton>(ControlDesign{.name = "optLang",
                                              .index = 0,
                                              .caption = "Englisch",
                                              .tag = "English,1",
                                              .layout = {2520, 240, 1095, 255},
                                              .tab_index = 4},
                                true),
              Add<OptionButton>(ControlDesign{.name = "optLang",
                                              .index = 1,
                                              .caption = "Deutsch",
                                              .tag = "German,1",
                                              .layout = {1320, 240, 1095, 255},
                                              .tab_index = 3})},
      cmdCancel(Add<CommandButton>(ControlDesign{.name = "cmdCancel",
                                                 .caption = "Abbrechen",
                                                 .tag = "Cancel",
                                                 .layout = {2040, 840, 1575, 375},
                                                 .tab_index = 1})),
      cmdSave(Add<CommandButton>(ControlDesign{.name = "cmdSave",
                                               .caption = "Speichern",
                                               .tag = "Save,1",
                                               .layout = {120, 840, 1575, 375},
                                               .tab_index = 0})),
      lblSprache(Add<Label>(ControlDesign{.name = "lblSprache",
                                          .caption = "Sprache:",
                                          .tag = "Language",
                                          .layout = {240, 240, 735, 255},
                                          .tab_index = 2})) {
  cmdSave.on_click = [this] { cmdSave_Click(); };
  cmdCancel.on_click = [this] { cmdCancel_Click(); };
}

void FrmSettings::Form_Load() {
  state_.ErrorOccurred = false;
  ReadSettings(state_, *this);
  SetLanguage(state_, *this);
}

void FrmSettings::cmdSave_Click() {
  state_.ErrorOccurred = false;
  WriteSettings(state_, *this);
  SetLanguage(state_, *this);
  SetLanguage(state_, FormsOf(state_).frmMain());
  Hide();
}

void FrmSettings::Form_Activate() {
  shown_choice_ = -1;
  for (int16_t index = optLang.LBound(); index <= optLang.UBound(); ++index) {
    if (optLang[index].Value()) shown_choice_ = index;
  }
}

void FrmSettings::cmdCancel_Click() {
  state_.ErrorOccurred = false;
  // Back to the choice the dialog was shown with (then the stored one, where there is one):
  // without stored settings, reading them alone would keep the cancelled choice.
  if (shown_choice_) {
    for (int16_t index = optLang.LBound(); index <= optLang.UBound(); ++index) {
      optLang[index].SetValue(index == *shown_choice_);
    }
  }
  ReadSettings(state_, *this);
  Hide();
}

}  // namespace kelvort
