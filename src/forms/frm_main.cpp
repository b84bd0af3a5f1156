// The main window.
#include "forms/frm_main.h"
#include "forms/forms.h"

#include "core/product.h"
#include "core/run_state.h"
#include "form_state/form_state.h"
#include "forms/resources.h"
#include "forms/show_formular.h"
#include "lang/language.h"
#include "log/error_log.h"
#include "log/procedure.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

FormSpec Design() {
  return {.name = "frmMain",
          .caption = "Kelvort",
          .client_width = 2880,
          .client_height = 825,
          .border = BorderStyle::kFixedSingle,
          .min_button = true,
          .max_button = false,
          .start_up_position = StartUpPosition::kCenterScreen,
          .icon = std::string(kProgramIcon)};
}

}  // namespace

std::string WindowCaption() {
  return std::string(kProductName) + " -  " + std::string(kVersion);
}

FrmMain::FrmMain(RunState& state)
    : Form(Design()),
      state_(state),
      Picture1(Add<PictureBox>(
          ControlDesign{.name = "Picture1", .layout = {120, 120, 2700, 630}, .tab_index = 0},
          std::string(kProgramLogo))),
      menExtras(Add<Menu>(ControlDesign{.name = "menExtras", .caption = "Extras"})),
      menSettings(
          Add<Menu>(ControlDesign{.name = "menSettings", .caption = "Einstellungen"}, "menExtras")),
      menForeground(Add<Menu>(ControlDesign{.name = "menForeground", .caption = "Im Vordergrund"},
                              "menExtras")),
      menInfo(Add<Menu>(ControlDesign{.name = "menInfo", .caption = "?"})),
      menAbout(Add<Menu>(ControlDesign{.name = "menAbout", .caption = "Über"}, "menInfo")),
      menHelp(Add<Menu>(ControlDesign{.name = "menHelp", .caption = "Hilfe"}, "menInfo")) {
  menSettings.on_click = [this] { menSettings_Click(); };
  menForeground.on_click = [this] { menForeground_Click(); };
  menAbout.on_click = [this] { menAbout_Click(); };
  menHelp.on_click = [this] { menHelp_Click(); };
}

void FrmMain::AssignMenuTags() {
  menExtras.SetTag("Extras");
  menSettings.SetTag("Settings");
  menForeground.SetTag("Foreground,1");
  menAbout.SetTag("About");
  menHelp.SetTag("Help");
}

void FrmMain::Form_Load() {
  GetGlobalSettings(state_);
  AssignMenuTags();
  SetCaption(WindowCaption());
  state_.ErrorOccurred = false;
  ReadSettings(state_, *this);
  SetLanguage(state_, *this);
}

void FrmMain::Form_Unload() {
  for (const FormId other :
       {FormId::kSettings, FormId::kFolderBrowser, FormId::kFileBrowser, FormId::kAbout}) {
    FormsOf(state_).Unload(other);
  }
}

void FrmMain::menSettings_Click() {
  ShowFormular(state_, FormId::kSettings);
}

void FrmMain::menAbout_Click() {
  ShowFormular(state_, FormId::kAbout);
}

void FrmMain::menForeground_Click() {
  const bool topmost = !menForeground.Checked();
  menForeground.SetChecked(topmost);
  state_.platform.windows.SetTopmost(hWnd(), topmost);
}

// A page or shell that is missing is reported through the common error message; nothing
// escapes the menu event.
void FrmMain::menHelp_Click() {
  Procedure(state_, "menHelp_Click", Gate::kNone, [&] {
    state_.platform.shell.OpenDocument(state_.platform.environment.ProgramFolder() +
                                       "\\..\\Help\\ind.html");
  });
}

}  // namespace kelvort
