// The path and file helpers as the program's procedures.
#include "settings/path_helpers.h"

#include "core/path_resolution.h"
#include "log/procedure.h"

namespace kelvort {

std::string CheckPath(RunState& state, std::string_view path) {
  return Procedure<std::string>(state, "CheckPath", Gate::kErrorOccurred,
                                [&](std::string& result) { NormalizePath(state, path, result); });
}

std::string KickRightBackSlash(RunState& state, std::string_view path) {
  return Procedure<std::string>(
      state, "KickRightBackSlash", Gate::kErrorOccurred,
      [&](std::string& result) { result = WithoutTrailingBackslash(path); });
}

bool FolderExists(RunState& state, std::string_view path, bool create) {
  return Procedure<bool>(state, "FolderExists", Gate::kErrorOccurred, [&](bool& result) {
    const std::string folder = CheckPath(state, path);
    if (state.ErrorOccurred) return;  // a path that failed to normalise is never used
    result = WalkFolderLevels(state.platform.files, folder, create);
  });
}

bool FileExists(RunState& state, std::string_view path, bool create) {
  return Procedure<bool>(state, "FileExists", Gate::kErrorOccurred, [&](bool& result) {
    const std::string file = CheckPath(state, path);
    if (state.ErrorOccurred) return;  // a path that failed to normalise is never used
    if (!FolderExists(state, FolderPart(file), create)) return;
    result = TestFile(state.platform.files, file, create);
  });
}

}  // namespace kelvort
