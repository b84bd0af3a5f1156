// The failures the stand-in CATIA raises, numbered and worded as a late-bound caller
// receives them from the real host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/run_error.h"

namespace kelvort::standin {

// A member the object does not have, or a property that cannot be set: COM reports
// DISP_E_UNKNOWNNAME (-2147352570) or DISP_E_MEMBERNOTFOUND, and a late-bound caller
// receives both as run-time error 438, "Object doesn't support this property or method".
[[noreturn]] void MemberNotSupported();

// Too few or too many arguments: DISP_E_BADPARAMCOUNT, received as run-time error 450
// (errors::kWrongArgumentCount).
[[noreturn]] void WrongArgumentCount();

// A call the host refuses, as CATIA raises it: E_FAIL (-2147467259) with the text
// "The method <member> failed" from the source "CATIA<type name>" (CATIAParameters).
class HostFailure : public RunError {
 public:
  HostFailure(std::string_view member, std::string_view type_name);
  const std::string& source() const { return source_; }

 private:
  std::string source_;
};
[[noreturn]] void MethodFailed(std::string_view member, std::string_view type_name);

}  // namespace kelvort::standin
