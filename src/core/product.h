// The program's name and version as its titles, captions and Error.log show them.
#pragma once

#include <string_view>

#include "kelvort_version.h"

namespace kelvort {

inline constexpr std::string_view kProductName = "Kelvort";
// "1.000.04" for version 1.0.4, made by the build from the project's version.
inline constexpr std::string_view kVersion = KELVORT_VERSION_TEXT;

}  // namespace kelvort
