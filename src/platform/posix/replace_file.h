// Atomic replacement of a file's content.
#pragma once

#include <string>
#include <string_view>

namespace kelvort {

// Replaces the content of the file at posix_path: written to a temporary file with an
// unpredictable name in the same folder, flushed to disk and renamed over the old one, so
// the old content survives any failure. Permissions are kept, and a symbolic link stays a
// link (its final target is replaced); a FIFO or device in its place is refused. Failures raise a
// RunError naming shown_path. Raises the failure that replacing the file would meet before its
// first byte is written (no folder, a folder or a FIFO or device in the file's place, a folder that
// refuses new files), changing nothing.
void CheckReplaceableFile(const std::string& posix_path, std::string_view shown_path);

void ReplaceFileAtomically(const std::string& posix_path, std::string_view bytes,
                           std::string_view shown_path);

}  // namespace kelvort
