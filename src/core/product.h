// The program's name and version as its titles, captions and Error.log show them.
#pragma once

#include <string_view>

namespace kelvort {

inline constexpr std::string_view kProductName = "Kelvort";
inline constexpr std::string_view kVersion = "1.000.04";

}  // namespace kelvort
