// The steps of the path and file helpers as plain functions that raise a RunError.
#include "core/path_resolution.h"

#include "host/dispatch.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

constexpr std::string_view kNetworkPrefix = "\\\\";

// Both separate elements on disk; the program itself writes backslashes.
bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsProgramRelative(std::string_view path) {
  return StartsWith(path, "\\") && !StartsWith(path, kNetworkPrefix);
}

// A variable's value: the process environment, then the attached host, else the reference
// as written, so that a variable set nowhere stays visible in the path.
std::string ReferenceValue(RunState& state, const std::string& name) {
  std::string value = state.platform.environment.Variable(name);
  if (value.empty() && state.CatiaApp) {
    value = state.CatiaApp->Get("SystemService").ToObject()->Call("Environ", {name}).ToText();
  }
  return value.empty() ? "%" + name + "%" : value;
}

// Expands the %name% references in result; pieces at odd positions are names. An
// unpaired "%" leaves the text in front of the first "%".
void ExpandReferences(RunState& state, std::string_view original, std::string& result) {
  const std::vector<std::string> pieces = Split(result, '%');
  if (pieces.size() < 2) return;
  if (pieces.size() % 2 == 0) {
    result = pieces.front();
    Raise(errors::kBadFileName, "Unpaired \"%\" in the path \"" + std::string(original) + "\"");
  }
  std::string expanded = pieces.front();
  for (size_t name = 1; name < pieces.size(); name += 2) {
    expanded += ReferenceValue(state, pieces[name]) + pieces[name + 1];
  }
  result = std::move(expanded);
}

// One pass: every element directly followed by ".." is removed with that "..".
std::string FoldOnce(std::string_view path) {
  const std::vector<std::string> elements = Split(path, '\\');
  std::string folded;
  for (size_t i = 0; i < elements.size(); ++i) {
    if (i + 1 == elements.size()) {
      folded += elements[i];
    } else if (elements[i + 1] == "..") {
      ++i;
    } else {
      folded += elements[i] + "\\";
    }
  }
  return folded;
}

// Folds until no "\.." is left, or a pass changes nothing (an element such as "..b").
std::string FoldParentElements(std::string path) {
  while (path.find("\\..") != std::string::npos) {
    std::string folded = FoldOnce(path);
    if (folded == path) break;
    path = std::move(folded);
  }
  return path;
}

}  // namespace

std::string WithoutTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

void NormalizePath(RunState& state, std::string_view path, std::string& result) {
  result = path;
  if (IsProgramRelative(result)) {
    // A drive root may come with its backslash; the path brings its own.
    result = WithoutTrailingBackslash(state.platform.environment.ProgramFolder()) + result;
  }
  result = WithoutTrailingBackslash(result);
  const bool network = StartsWith(result, kNetworkPrefix);
  if (network) result.erase(0, kNetworkPrefix.size());
  ExpandReferences(state, path, result);
  result = FoldParentElements(std::move(result));
  if (network) result.insert(0, kNetworkPrefix);
}

bool WalkFolderLevels(FileSystem& files, std::string_view folder, bool create) {
  if (folder.empty()) return false;
  size_t first = 0;  // where the walked elements begin
  if (StartsWith(folder, kNetworkPrefix)) {
    const size_t server_end = folder.find('\\', kNetworkPrefix.size());
    if (server_end == std::string_view::npos) {
      Raise(errors::kBadFileName, "Network path without a share: \"" + std::string(folder) + "\"");
    }
    first = server_end + 1;
  }
  for (size_t end = first; end <= folder.size(); ++end) {
    if (end < folder.size() && !IsSeparator(folder[end])) continue;
    const std::string_view level = folder.substr(0, end);
    if (level.empty() || files.FolderExists(level)) continue;  // empty: the POSIX root
    if (!create) return false;
    files.CreateFolder(level);
  }
  return true;
}

std::string_view FolderPart(std::string_view file) {
  const size_t separator = file.find_last_of("\\/");
  return separator == std::string_view::npos ? std::string_view() : file.substr(0, separator + 1);
}

bool TestFile(FileSystem& files, std::string_view file, bool create) {
  if (files.FileExists(file)) return true;
  if (!create) return false;
  files.CreateEmptyFile(file);
  return true;
}

}  // namespace kelvort
