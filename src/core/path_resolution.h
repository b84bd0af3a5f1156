// The steps of the path and file helpers as plain functions that raise a RunError: the
// procedures of path_helpers.h report them, and LogError runs them without reporting.
#pragma once

#include <string>
#include <string_view>

#include "core/run_state.h"

namespace kelvort {

// The text without one trailing backslash.
std::string WithoutTrailingBackslash(std::string_view path);

// Normalises a path: a leading single backslash is the program's folder, %name% references
// are expanded, ".." elements are folded. When a step fails, result holds the path as far
// as it had been processed.
void NormalizePath(RunState& state, std::string_view path, std::string& result);

// Tests each level of a normalised folder path from the top (the share of a network path,
// or the first element), creating the missing ones when create is set; both "\" and "/"
// end a level. Answers whether every level is there; the empty path is no folder.
bool WalkFolderLevels(FileSystem& files, std::string_view folder, bool create);

// The folder part of a file path, up to and including its last separator ("\" or "/");
// empty when there is none.
std::string_view FolderPart(std::string_view file);

// Tests a file in an existing folder; with create set, a missing one is made empty.
bool TestFile(FileSystem& files, std::string_view file, bool create);

}  // namespace kelvort
