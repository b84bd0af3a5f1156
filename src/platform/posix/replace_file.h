// Atomic replacement of a file's content.
#pragma once

#include <string>
#include <string_view>

namespace kelvort {

// Replaces the content of the file at posix_path: written to a temporary file with an
// unpredictable name in the same folder, flushed to disk and renamed over the old one, so
// the old content survives any failure. Permissions are kept, and a symbolic link stays a
// link (its final target is replaced). Failures raise a RunError naming shown_path.
void ReplaceFileAtomically(const std::string& posix_path, std::string_view bytes,
                           std::string_view shown_path);

}  // namespace kelvort
