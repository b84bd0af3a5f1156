// The failures the stand-in CATIA raises.
#include "hresult.h"

#include <string>

#include "util/run_error.h"

namespace kelvort::standin {

void MemberNotSupported() {
  Raise(errors::kMemberNotSupported);
}

void WrongArgumentCount() {
  Raise(errors::kWrongArgumentCount);
}

namespace {

// Built apart from the throw, so that no temporary outlives it: a refused call (a name that
// Item does not know, above all) is a common answer, and its unwinding should stop at the
// caller's handler and nowhere before.
RunError HostFailure(std::string_view member, std::string_view type_name) {
  return RunError(errors::kHostFailure, "Method '" + std::string(member) + "' of object '" +
                                            std::string(type_name) + "' failed");
}

}  // namespace

void MethodFailed(std::string_view member, std::string_view type_name) {
  throw HostFailure(member, type_name);
}

}  // namespace kelvort::standin
