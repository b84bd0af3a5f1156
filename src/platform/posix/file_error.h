// Run-time errors for failed file-system calls.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvort {

// Raises the run-time error that fits a failed call's errno, naming the path. A missing
// path raises missing_number (53 file not found, or 76 path not found).
[[noreturn]] void RaiseFileError(int error_number, int32_t missing_number, std::string_view path);

}  // namespace kelvort
