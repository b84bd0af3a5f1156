// The folder dialog: asks the user for a folder and creates it when it does not exist.
// The answer is txtFolder's text.
#pragma once

#include "forms/path_dialog.h"
#include "forms/toolkit/static_controls.h"

namespace kelvort {

class FrmFolderBrowser : public PathDialog {
 public:
  explicit FrmFolderBrowser(RunState& state);

  DirListBox& lstDir;
  TextBox& txtFolder;
  CommandButton& cmdOK;
  CommandButton& cmdCancel;
  DriveListBox& lstDrive;
  Label& Label1;

 private:
  void FolderShown(const std::string&) override {}
  void AnswerConfirmed(const std::string& answer) override;
};

}  // namespace kelvort
