// The drive, folder and file lists: controls over the real file system, reached through
// the platform's file system service. Paths are text in Windows form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/toolkit/list_controls.h"
#include "platform/platform.h"

namespace kelvort {

// Where the lists of a form start: the machine's file system and the process's current
// folder.
struct FileSystemView {
  FileSystem& files;
  std::string current_folder;
};

// The machine's drives; Drive names the selected one. Change follows a change of drive.
class DriveListBox : public ListControl {
 public:
  DriveListBox(const ControlDesign& design, const FileSystemView& view);
  // The selected drive ("C:").
  std::string Drive() const;
  // Selects the drive that the text begins with; an unknown drive raises 68.
  void SetDrive(std::string_view drive);

 private:
  void SelectionChanged() override { FireChange(); }
};

// The folder hierarchy of a current folder. List(i) for i from 0 to ListCount - 1 are the
// subfolders of Path, in name order; List(-1) is Path itself, List(-2) its parent, and so
// on up to the drive's root. Change follows a change of Path.
class DirListBox : public Control {
 public:
  DirListBox(const ControlDesign& design, const FileSystemView& view);
  const std::string& Path() const { return path_; }
  // Opens a folder (absolute, or relative to Path); a folder that does not exist or cannot
  // be read raises 76 or 75 and leaves the list where it was.
  void SetPath(std::string_view path);
  int16_t ListCount() const { return static_cast<int16_t>(subfolders_.size()); }
  std::string List(int16_t index) const;
  // What a user's opening of an entry does (a subfolder or one of the folders above).
  bool UserOpen(int16_t index);

 private:
  FileSystemView view_;
  std::string path_;
  std::vector<std::string> subfolders_;
};

// The files of a folder that match a pattern. FileName is the selected file's name;
// Click follows a change of the selection.
class FileListBox : public ListControl {
 public:
  FileListBox(const ControlDesign& design, const FileSystemView& view);
  const std::string& Path() const { return path_; }
  void SetPath(std::string_view path);
  const std::string& Pattern() const { return pattern_; }
  void SetPattern(const std::string& pattern);
  // The selected file's name without its folder; empty when none is selected.
  std::string FileName() const;

 private:
  // Reads the folder anew; a failure raises and leaves the list as it was.
  void Refresh(const std::string& path, const std::string& pattern);

  FileSystemView view_;
  std::string path_;
  std::string pattern_ = "*.*";
};

}  // namespace kelvort
