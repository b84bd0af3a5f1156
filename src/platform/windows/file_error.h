// Run-time errors for failed Windows file-system calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/windows/win32.h"

namespace kelvort {

// Raises the run-time error that fits a failed call's GetLastError code, naming the path.
// A missing file raises missing_number (53 file not found, or 76 path not found); a missing
// folder, drive or network share raises 76.
[[noreturn]] void RaiseFileError(DWORD error_code, int32_t missing_number, std::string_view path);

}  // namespace kelvort
