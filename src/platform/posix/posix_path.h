// The mapping between the program's Windows-form paths and POSIX paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvort {

// The POSIX path that a Windows-form path names: drive Z: is the root, both "\" and "/"
// separate elements, a leading "/" is an absolute POSIX path and a path without a drive is
// relative to the current folder. None for what does not exist on this machine: the empty
// text, any other drive letter and a network path (\\server\share).
std::optional<std::string> ToPosixPath(std::string_view path);

// An absolute POSIX path in the program's Z: form ("/opt/k" gives "Z:\opt\k").
std::string ToZForm(std::string_view posix_path);

}  // namespace kelvort
