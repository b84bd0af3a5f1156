// The about box.
#include "forms/frm_about.h"

#include <string>

#include "core/run_state.h"
#include "forms/forms.h"
#include "forms/resources.h"
#include "log/error_log.h"

namespace kelvort {
namespace {

constexpr int32_t kLightGrey = 0x00C0C0C0;

FormSpec Design() {
  return {.name = "frmAbout",
          .caption = "Über Brannick Engineering Software",
          .client_width = 6000,
          .client_height = 5745,
          .border = BorderStyle::kFixedSingle,
          .min_button = false,
          .max_button = false,
          .start_up_position = StartUpPosition::kCenterOwner,
          .icon = std::string(kProgramIcon)};
}

// One line of the contact block: centred, the dialog's full width.
ControlDesign ContactLine(const char* name, const char* text, int32_t top, int16_t tab_index) {
  return {.name = name, .caption = text, .layout = {0, top, 6000, 255}, .tab_index = tab_index};
}

std::string RightsNotice() {
  return "Kelvort, Version " + std::string(kVersion) +
         "\r\n© 2024 Brannick Engineering Software GmbH. Alle Rechte vorbehalten.\r\n"
         "\r\n"
         "Dieses Programm ist urheberrechtlich geschützt. Ohne schriftliche Genehmigung der "
         "Brannick Engineering Software GmbH darf es weder ganz noch in Teilen vervielfältigt, "
         "verändert oder an Dritte weitergegeben werden.\r\n"
         "CATIA ist eine eingetragene Marke von Dassault Systèmes.";
}

}  // namespace

FrmAbout::FrmAbout(RunState& state)
    : Form(Design()),
      state_(state),
      Picture1(Add<PictureBox>(
          ControlDesign{.name = "Picture1", .layout = {1080, 120, 3375, 795}, .tab_index = 2},
          std::string(kMakerLogo))),
      Label1(Add<Label>(ContactLine("Label1", "Brannick Engineering Software GmbH", 1080, 3),
                        Alignment::kCenter)),
      Label2(Add<Label>(ContactLine("Label2", "Rudolf-Diesel-Straße 14", 1440, 4),
                        Alignment::kCenter)),
      Label3(Add<Label>(ContactLine("Label3", "86153 Augsburg", 1800, 5), Alignment::kCenter)),
      Label8(Add<Label>(ContactLine("Label8", "Deutschland", 2160, 6), Alignment::kCenter)),
      Label4(Add<Label>(ContactLine("Label4", "Telefon: +49 821 450 97-0", 2520, 7),
                        Alignment::kCenter)),
      Label5(Add<Label>(ContactLine("Label5", "Telefax: +49 821 450 97-99", 2880, 8),
                        Alignment::kCenter)),
      Label6(Add<Label>(ContactLine("Label6", "www.brannick-engineering.de", 3240, 9),
                        Alignment::kCenter)),
      Line1(Add<Line>(ControlDesign{.name = "Line1"}, LineEnds{120, 3600, 5880, 3600}, kLightGrey)),
      Text1(Add<TextBox>(
          ControlDesign{.name = "Text1", .layout = {120, 3720, 5775, 1455}, .tab_index = 1},
          RightsNotice(),
          TextBoxLook{.multi_line = true, .locked = true, .back_color = kButtonFace})),
      cmdOK(Add<CommandButton>(ControlDesign{
          .name = "cmdOK", .caption = "OK", .layout = {2520, 5280, 1455, 375}, .tab_index = 0})) {
  cmdOK.on_click = [this] { cmdOK_Click(); };
}

void FrmAbout::cmdOK_Click() {
  FormsOf(state_).Unload(FormId::kAbout);
}

}  // namespace kelvort
