// What the file and the folder dialog share.
#include "forms/path_dialog.h"

#include "core/run_state.h"
#include "forms/toolkit/folder_path.h"
#include "lang/language.h"
#include "log/procedure.h"

namespace kelvort {

PathDialog::PathDialog(RunState& state, FormSpec design) : Form(std::move(design)), state_(state) {}

FileSystemView PathDialog::StartingView() const {
  return {state_.platform.files, state_.platform.environment.CurrentFolder()};
}

void PathDialog::Connect(DriveListBox& drive, DirListBox& folders, TextBox& answer,
                         CommandButton& ok, CommandButton& cancel) {
  drive_ = &drive;
  folders_ = &folders;
  answer_ = &answer;
  drive.on_change = [this] { lstDrive_Change(); };
  folders.on_change = [this] { lstDir_Change(); };
  ok.on_click = [this] { cmdOK_Click(); };
  cancel.on_click = [this] { cmdCancel_Click(); };
}

void PathDialog::Form_Load() {
  state_.ErrorOccurred = false;
  SetLanguage(state_, *this);
}

void PathDialog::Form_GotFocus() {
  IgnoringErrors([this] {
    answer_->SetSelStart(CharacterCount(answer_->Text()));
    answer_->SetFocus();
  });
}

void PathDialog::lstDrive_Change() {
  IgnoringErrors([this] { folders_->SetPath(drive_->Drive()); });
}

void PathDialog::lstDir_Change() {
  answer_->SetText(folders_->Path());
  FolderShown(folders_->Path());
  answer_->SetSelStart(CharacterCount(answer_->Text()));
  IgnoringErrors([this] { answer_->SetFocus(); });
}

void PathDialog::cmdOK_Click() {
  Hide();
  const std::string& text = answer_->Text();
  if (!text.empty() && text.find('\\') == std::string::npos) {
    answer_->SetText(JoinPath(folders_->Path(), text));
  }
  AnswerConfirmed(answer_->Text());
}

void PathDialog::cmdCancel_Click() {
  Hide();
  answer_->SetText({});
}

}  // namespace kelvort
