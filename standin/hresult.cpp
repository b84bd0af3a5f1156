// The failures the stand-in CATIA raises.
#include "hresult.h"

#include <string>

#include "log/run_error.h"

namespace kelvort::standin {

void MemberNotSupported() {
  Raise(errors::kMemberNotSupported);
}

void WrongArgumentCount() {
  Raise(kWrongArgumentCount, "Wrong number of arguments or invalid property assignment");
}

void MethodFailed(std::string_view member, std::string_view type_name) {
  Raise(errors::kHostFailure,
        "Method '" + std::string(member) + "' of object '" + std::string(type_name) + "' failed");
}

}  // namespace kelvort::standin
