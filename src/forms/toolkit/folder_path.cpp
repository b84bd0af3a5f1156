// Folder paths of the drive, folder and file lists.
#include "forms/toolkit/folder_path.h"

#include <vector>

#include "util/text.h"

namespace kelvort {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::vector<std::string> Elements(std::string_view path) {
  std::vector<std::string> elements;
  std::string element;
  for (const char c : path) {
    if (IsSeparator(c)) {
      if (!element.empty()) elements.push_back(std::move(element));
      element.clear();
    } else {
      element += c;
    }
  }
  if (!element.empty()) elements.push_back(std::move(element));
  return elements;
}

}  // namespace

std::string DriveOf(std::string_view path) {
  if (HasDriveLetter(path)) return std::string(path.substr(0, 2));
  if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    const std::vector<std::string> parts = Elements(path);
    if (parts.size() >= 2) return "\\\\" + parts[0] + "\\" + parts[1];
  }
  return {};
}

std::string ResolveFolder(std::string_view text, std::string_view list_folder,
                          std::string_view process_folder) {
  std::string drive = DriveOf(text);
  std::string_view rest = text.substr(drive.size());
  std::string absolute;
  if (drive.empty()) {
    drive = DriveOf(list_folder);
    absolute = IsSeparator(text.empty() ? '\0' : text.front())
                   ? std::string(text)
                   : std::string(list_folder.substr(drive.size())) + "\\" + std::string(text);
  } else if (rest.empty() && EqualsIgnoreCase(DriveOf(process_folder), drive)) {
    absolute = std::string(process_folder.substr(drive.size()));
  } else {
    absolute = std::string(rest);
  }
  std::vector<std::string> folded;
  for (std::string& element : Elements(absolute)) {
    if (element == ".") continue;
    if (element == "..") {
      if (!folded.empty()) folded.pop_back();
      continue;
    }
    folded.push_back(std::move(element));
  }
  std::string result = drive;
  for (const std::string& element : folded) result += "\\" + element;
  if (folded.empty() && HasDriveLetter(drive)) result += "\\";
  return result;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (joined.empty() || !IsSeparator(joined.back())) joined += "\\";
  return joined + std::string(name);
}

}  // namespace kelvort
