// What the file and the folder dialog share: a drive list, a folder list, the text box
// that holds the answer, and OK and Cancel. A caller shows the dialog modally and then
// reads the answer; the empty text means that the user cancelled.
#pragma once

#include <string>

#include "forms/toolkit/buttons.h"
#include "forms/toolkit/file_system_lists.h"
#include "forms/toolkit/form.h"
#include "forms/toolkit/text_box.h"

namespace kelvort {

struct RunState;

class PathDialog : public Form {
 protected:
  PathDialog(RunState& state, FormSpec design);
  // Where the dialog's lists start: the process's current drive and folder.
  FileSystemView StartingView() const;
  // Wires the shared event procedures once the dialog has made its controls.
  void Connect(DriveListBox& drive, DirListBox& folders, TextBox& answer, CommandButton& ok,
               CommandButton& cancel);
  // The folder list shows a new folder (the file dialog lists its files).
  virtual void FolderShown(const std::string& folder) = 0;
  // OK completed the answer (the folder dialog creates the folder).
  virtual void AnswerConfirmed(const std::string& answer) = 0;

  RunState& state_;

 private:
  void Form_Load() override;
  void Form_GotFocus() override;
  void lstDrive_Change();
  void lstDir_Change();
  void cmdOK_Click();
  void cmdCancel_Click();

  DriveListBox* drive_ = nullptr;
  DirListBox* folders_ = nullptr;
  TextBox* answer_ = nullptr;
};

}  // namespace kelvort
