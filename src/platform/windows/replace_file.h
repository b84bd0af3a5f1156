// Atomic replacement of a file's content on Windows.
#pragma once

#include <string>
#include <string_view>

namespace kelvort {

// Replaces the content of the file at path: written to a temporary file with an
// unpredictable name in the same folder, flushed to disk, then moved over the old one with
// MoveFileExW (replace existing, write through), so the old content survives any failure.
// The old file's attributes (hidden, system, archive) are kept; a read-only file refuses the
// write (70), as do a device and a pipe; a symbolic link stays one (its final target is replaced).
// Failures raise a RunError naming the path. Raises the failure that replacing the file would meet
// before writing (no folder, a folder, read-only file, device or pipe in its place, a folder
// refusing new files), changing nothing.
void CheckReplaceableFile(const std::wstring& path, std::string_view shown_path);

void ReplaceFileAtomically(const std::wstring& path, std::string_view bytes,
                           std::string_view shown_path);

}  // namespace kelvort
