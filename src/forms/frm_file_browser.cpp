// The file dialog.
#include "forms/frm_file_browser.h"

#include "forms/resources.h"
#include "forms/toolkit/folder_path.h"
#include "util/text.h"

namespace kelvort {
namespace {

FormSpec Design() {
  return {.name = "frmFileBrowser",
          .caption = "Datei auswählen",
          .tag = "Selectfile",
          .client_width = 7485,
          .client_height = 5085,
          .border = BorderStyle::kFixedDialog,
          .min_button = false,
          .max_button = false,
          .show_in_taskbar = false,
          .start_up_position = StartUpPosition::kWindowsDefault,
          .icon = std::string(kProgramIcon)};
}

ControlDesign Bar(const char* name, Layout layout, int16_t tab_index) {
  return {.name = name, .layout = layout, .tab_index = tab_index};
}

}  // namespace

FrmFileBrowser::FrmFileBrowser(RunState& state)
    : PathDialog(state, Design()),
      cmbFilter(Add<ComboBox>(
          ControlDesign{.name = "cmbFilter", .layout = {1200, 4560, 4455, 360}, .tab_index = 11})),
      Picture4(Add<PictureBox>(Bar("Picture4", {3480, 0, 3855, 135}, 10))),
      Picture3(Add<PictureBox>(Bar("Picture3", {7320, 120, 135, 3855}, 9))),
      Picture2(Add<PictureBox>(Bar("Picture2", {0, 3900, 7335, 120}, 8))),
      Picture1(Add<PictureBox>(Bar("Picture1", {3480, 0, 15, 4095}, 7))),
      lstDrive(Add<DriveListBox>(
          ControlDesign{.name = "lstDrive", .layout = {120, 130, 3375, 315}, .tab_index = 5},
          StartingView())),
      cmdCancel(Add<CommandButton>(ControlDesign{.name = "cmdCancel",
                                                 .caption = "Abbrechen",
                                                 .tag = "Cancel",
                                                 .layout = {5880, 4560, 1455, 360},
                                                 .tab_index = 3})),
      cmdOK(Add<CommandButton>(ControlDesign{
          .name = "cmdOK", .caption = "OK", .layout = {5880, 4080, 1455, 360}, .tab_index = 2})),
      txtFile(Add<TextBox>(
          ControlDesign{.name = "txtFile", .layout = {1200, 4080, 4455, 360}, .tab_index = 1})),
      lstFile(Add<FileListBox>(
          ControlDesign{.name = "lstFile", .layout = {3480, 120, 3855, 3795}, .tab_index = 6},
          StartingView())),
      lstDir(Add<DirListBox>(
          ControlDesign{.name = "lstDir", .layout = {120, 480, 3375, 3465}, .tab_index = 0},
          StartingView())),
      Label1(Add<Label>(ControlDesign{.name = "Label1",
                                      .caption = "Dateityp:",
                                      .tag = "Filetype",
                                      .layout = {240, 4575, 735, 255},
                                      .tab_index = 12})),
      lbl_choose(Add<Label>(ControlDesign{.name = "lbl_choose",
                                          .caption = "Dateiname:",
                                          .tag = "Filename",
                                          .layout = {240, 4125, 975, 255},
                                          .tab_index = 4})) {
  Connect(lstDrive, lstDir, txtFile, cmdOK, cmdCancel);
  cmbFilter.on_click = [this] { cmbFilter_Click(); };
  lstFile.on_click = [this] { lstFile_Click(); };
}

void FrmFileBrowser::start_dataexplorer() {
  lstFile.SetEnabled(false);
  cmbFilter.AddItem("Folder (*)");
  cmbFilter.SetListIndex(0);
  const std::vector<std::string> pieces = Split(lstDir.Path(), '\\');
  lstDrive.SetDrive(pieces.empty() ? std::string() : pieces.front());
}

void FrmFileBrowser::FolderShown(const std::string& folder) {
  lstFile.SetPath(folder);
}

void FrmFileBrowser::cmbFilter_Click() {
  lstFile.SetPattern(cmbFilter.Text());
}

void FrmFileBrowser::lstFile_Click() {
  txtFile.SetText(JoinPath(lstDir.Path(), lstFile.FileName()));
}

}  // namespace kelvort
