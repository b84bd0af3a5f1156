// The drive, folder and file lists.
#include "forms/toolkit/file_system_lists.h"

#include "forms/toolkit/folder_path.h"
#include "forms/toolkit/toolkit_errors.h"
#include "forms/toolkit/wildcard.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

// The names of a folder's entries of one kind; a folder that is missing raises 76.
std::vector<std::string> EntriesOf(const FileSystem& files, const std::string& folder,
                                   bool folders) {
  if (!files.FolderExists(folder)) Raise(errors::kPathNotFound);
  std::vector<std::string> names;
  for (const FolderEntry& entry : files.ListFolder(folder)) {
    if (entry.is_folder == folders) names.push_back(entry.name);
  }
  return names;
}

// Runs a first reading of a list; a folder that cannot be read leaves the list empty.
template <typename Step>
void StartQuietly(Step&& step) {
  try {
    step();
  } catch (const RunError&) {
  }
}

}  // namespace

DriveListBox::DriveListBox(const ControlDesign& design, const FileSystemView& view)
    : ListControl("DriveListBox", design, false) {
  members().AddProperty(
      "Drive", [this] { return Variant(Drive()); },
      [this](const Variant& v) { SetDrive(v.ToText()); });
  ReplaceItems(view.files.Drives());
  StartQuietly([&] { SetDrive(DriveOf(view.current_folder)); });
}

std::string DriveListBox::Drive() const {
  return SelectedItem();
}

void DriveListBox::SetDrive(std::string_view drive) {
  for (int16_t i = 0; i < ListCount(); ++i) {
    if (!drive.empty() && !List(i).empty() &&
        EqualsIgnoreCase(drive.substr(0, 1), List(i).substr(0, 1))) {
      SetListIndex(i);
      return;
    }
  }
  Raise(errors::kDeviceUnavailable, "Device unavailable");
}

DirListBox::DirListBox(const ControlDesign& design, const FileSystemView& view)
    : Control("DirListBox", design), view_(view), path_(view.current_folder) {
  AddPlacementMembers();
  members().AddProperty(
      "Path", [this] { return Variant(path_); }, [this](const Variant& v) { SetPath(v.ToText()); });
  members().AddProperty("ListCount", [this] { return Variant(ListCount()); });
  members().AddIndexedProperty("List", [this](MemberTable::Arguments args) {
    if (args.size() != 1) RaiseWrongArgumentCount();
    return Variant(List(args[0].ToInteger()));
  });
  StartQuietly([&] { subfolders_ = EntriesOf(view_.files, path_, true); });
}

void DirListBox::SetPath(std::string_view path) {
  std::string resolved = ResolveFolder(path, path_, view_.current_folder);
  std::vector<std::string> subfolders = EntriesOf(view_.files, resolved, true);
  subfolders_ = std::move(subfolders);
  const bool moved = resolved != path_;
  path_ = std::move(resolved);
  Changed();
  if (moved) FireChange();
}

std::string DirListBox::List(int16_t index) const {
  const auto out_of_range = [] {
    Raise(errors::kInvalidPropertyArrayIndex, "Invalid property array index");
  };
  if (index >= 0) {
    if (index >= ListCount()) out_of_range();
    return JoinPath(path_, subfolders_[static_cast<size_t>(index)]);
  }
  std::string folder = path_;
  for (int16_t level = -1; level > index; --level) {
    std::string parent = ResolveFolder("..", folder, view_.current_folder);
    if (parent == folder) out_of_range();
    folder = std::move(parent);
  }
  return folder;
}

bool DirListBox::UserOpen(int16_t index) {
  if (!TakesInput()) return false;
  SetPath(List(index));
  return true;
}

FileListBox::FileListBox(const ControlDesign& design, const FileSystemView& view)
    : ListControl("FileListBox", design, false), view_(view), path_(view.current_folder) {
  members().AddProperty(
      "Path", [this] { return Variant(path_); }, [this](const Variant& v) { SetPath(v.ToText()); });
  members().AddProperty(
      "Pattern", [this] { return Variant(pattern_); },
      [this](const Variant& v) { SetPattern(v.ToText()); });
  members().AddProperty("FileName", [this] { return Variant(FileName()); });
  StartQuietly([&] { Refresh(path_, pattern_); });
}

void FileListBox::SetPath(std::string_view path) {
  Refresh(ResolveFolder(path, path_, view_.current_folder), pattern_);
}

void FileListBox::SetPattern(const std::string& pattern) {
  Refresh(path_, pattern);
}

void FileListBox::Refresh(const std::string& path, const std::string& pattern) {
  std::vector<std::string> matching;
  for (std::string& name : EntriesOf(view_.files, path, false)) {
    if (MatchesPattern(name, pattern)) matching.push_back(std::move(name));
  }
  ReplaceItems(std::move(matching));
  path_ = path;
  pattern_ = pattern;
}

std::string FileListBox::FileName() const {
  return SelectedItem();
}

}  // namespace kelvort
