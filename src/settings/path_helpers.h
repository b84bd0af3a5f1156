// The path and file helpers: the paths of the settings files made usable, folders and files
// tested and, on request, created. Each does nothing while ErrorOccurred is set and reports
// its own failures under its own name.
#pragma once

#include <string>
#include <string_view>

#include "core/run_state.h"

namespace kelvort {

// The path normalised: a leading single backslash means the program's folder, %name%
// references are expanded (process environment, then the attached CATIA), ".." folded.
std::string CheckPath(RunState& state, std::string_view path);
// The path without one trailing backslash.
std::string KickRightBackSlash(RunState& state, std::string_view path);
// Whether the folder exists; with create set, every missing level is created first.
bool FolderExists(RunState& state, std::string_view path, bool create);
// Whether the file exists; with create set, its missing folders and an empty file are
// created first (an existing file is never touched).
bool FileExists(RunState& state, std::string_view path, bool create);

}  // namespace kelvort
