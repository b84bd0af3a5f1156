// Run-time error numbers that only the form toolkit raises.
#pragma once

#include <cstdint>

namespace kelvort::errors {
inline constexpr int32_t kDeviceUnavailable = 68;
inline constexpr int32_t kControlArrayElementMissing = 340;
inline constexpr int32_t kObjectNotAnArray = 343;
inline constexpr int32_t kObjectUnloaded = 364;
inline constexpr int32_t kInvalidPropertyArrayIndex = 381;
inline constexpr int32_t kPropertyReadOnly = 383;
inline constexpr int32_t kControlNotFound = 730;
}  // namespace kelvort::errors

namespace kelvort {
// Raises 450, the error of a member called with the wrong number of arguments.
[[noreturn]] void RaiseWrongArgumentCount();
}  // namespace kelvort
