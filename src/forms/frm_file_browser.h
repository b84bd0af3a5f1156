// The file dialog: asks the user for a file, or for a folder once start_dataexplorer has
// prepared it. The answer is txtFile's text.
#pragma once

#include "forms/path_dialog.h"
#include "forms/toolkit/list_controls.h"
#include "forms/toolkit/static_controls.h"

namespace kelvort {

class FrmFileBrowser : public PathDialog {
 public:
  explicit FrmFileBrowser(RunState& state);

  // Prepares the dialog for choosing a folder: no files to pick, the filter "Folder (*)",
  // the drive list on the current folder's drive. Does not show it.
  void start_dataexplorer();

  ComboBox& cmbFilter;
  PictureBox& Picture4;
  PictureBox& Picture3;
  PictureBox& Picture2;
  PictureBox& Picture1;
  DriveListBox& lstDrive;
  CommandButton& cmdCancel;
  CommandButton& cmdOK;
  TextBox& txtFile;
  FileListBox& lstFile;
  DirListBox& lstDir;
  Label& Label1;
  Label& lbl_choose;

 private:
  void FolderShown(const std::string& folder) override;
  void AnswerConfirmed(const std::string&) override {}
  void cmbFilter_Click();
  void lstFile_Click();
};

}  // namespace kelvort
