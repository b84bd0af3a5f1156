// The folder dialog.
#include "forms/frm_folder_browser.h"

#include "core/run_state.h"
#include "forms/resources.h"
#include "settings/path_helpers.h"

namespace kelvort {
namespace {

FormSpec Design() {
  return {.name = "frmFolderBrowser",
          .caption = "Ordner auswählen",
          .tag = "Selectfolder",
          .client_width = 4605,
          .client_height = 4290,
          .border = BorderStyle::kFixedSingle,
          .min_button = true,
          .max_button = false,
          .start_up_position = StartUpPosition::kWindowsDefault,
          .icon = std::string(kProgramIcon)};
}

}  // namespace

FrmFolderBrowser::FrmFolderBrowser(RunState& state)
    : PathDialog(state, Design()),
      lstDir(Add<DirListBox>(
          ControlDesign{.name = "lstDir", .layout = {80, 480, 4455, 2790}, .tab_index = 4},
          StartingView())),
      txtFolder(Add<TextBox>(ControlDesign{
          .name = "txtFolder", .tag = ",1", .layout = {900, 3360, 3615, 340}, .tab_index = 3})),
      cmdOK(Add<CommandButton>(ControlDesign{
          .name = "cmdOK", .caption = "OK", .layout = {1800, 3840, 1215, 340}, .tab_index = 2})),
      cmdCancel(Add<CommandButton>(ControlDesign{.name = "cmdCancel",
                                                 .caption = "Abbrechen",
                                                 .tag = "Cancel",
                                                 .layout = {3240, 3840, 1215, 340},
                                                 .tab_index = 1})),
      lstDrive(Add<DriveListBox>(
          ControlDesign{.name = "lstDrive", .layout = {80, 120, 4455, 315}, .tab_index = 0},
          StartingView())),
      Label1(Add<Label>(ControlDesign{.name = "Label1",
                                      .caption = "Auswahl:",
                                      .tag = "Choice",
                                      .layout = {120, 3405, 735, 255},
                                      .tab_index = 5})) {
  Connect(lstDrive, lstDir, txtFolder, cmdOK, cmdCancel);
}

void FrmFolderBrowser::AnswerConfirmed(const std::string& answer) {
  if (!answer.empty()) FolderExists(state_, answer, true);
}

}  // namespace kelvort
