// The images the forms show, by file name in the program's resources folder.
#pragma once

#include <string_view>

namespace kelvort {

// The program's icon, on every window.
inline constexpr std::string_view kProgramIcon = "kelvort-icon.svg";
// The program's logo on the main window (180 x 42 pixels).
inline constexpr std::string_view kProgramLogo = "kelvort-logo.svg";
// The maker's logo in the about box (225 x 53 pixels).
inline constexpr std::string_view kMakerLogo = "brannick-logo.svg";

}  // namespace kelvort
