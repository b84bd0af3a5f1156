// Folder paths in Windows form as the drive, folder and file lists work with them.
#pragma once

#include <string>
#include <string_view>

namespace kelvort {

// The drive of a path ("C:" of "C:\Data"), or the "\\server\share" of a network path;
// empty when the path names neither.
std::string DriveOf(std::string_view path);

// The absolute folder that a text assigned to a folder list names. A drive alone means the
// process's current folder when that lies on the drive, else the drive's root; a leading
// backslash means the root of the list's drive; any other text without a drive is relative
// to the list's folder. "." and ".." are folded (never above the root), and the result
// ends with a backslash only at a drive's root ("C:\").
std::string ResolveFolder(std::string_view text, std::string_view list_folder,
                          std::string_view process_folder);

// A folder and a name in it, joined with one backslash (a drive's root already has it).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace kelvort
