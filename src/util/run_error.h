// The run-time error: what a failing step raises and what a procedure's handler reports.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kelvort {

// Long-established run-time error numbers used throughout the program.
namespace errors {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kInternalError = 51;
inline constexpr int32_t kBadFileName = 52;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kFileAlreadyExists = 58;
inline constexpr int32_t kDiskFull = 61;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPathFileAccessError = 75;
inline constexpr int32_t kPathNotFound = 76;
inline constexpr int32_t kObjectVariableNotSet = 91;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kCannotCreateObject = 429;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kMemberNotSupported = 438;
inline constexpr int32_t kWrongArgumentCount = 450;
// Host failures carry the host's HRESULT.
inline constexpr int32_t kHostFailure = -2147467259;    // E_FAIL
inline constexpr int32_t kHostException = -2147352567;  // DISP_E_EXCEPTION
// A host call given up while CATIA did not answer, at the user's stop (RPC_E_CALL_CANCELED).
inline constexpr int32_t kHostCallAbandoned = -2147418110;
}  // namespace errors

// The standard description of a run-time error number ("Type mismatch" for 13); empty
// for numbers without one.
std::string StandardDescription(int32_t number);

// A run-time error: a 32-bit number and a description that may span several lines.
class RunError : public std::runtime_error {
 public:
  // An empty description takes the standard one of the number.
  explicit RunError(int32_t number, const std::string& description = {});

  int32_t number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  int32_t number_;
  std::string description_;
};

[[noreturn]] inline void Raise(int32_t number, const std::string& description = {}) {
  throw RunError(number, description);
}

}  // namespace kelvort
