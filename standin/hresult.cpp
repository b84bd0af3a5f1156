// The failures the stand-in CATIA raises.
#include "hresult.h"

namespace kelvort::standin {

void MemberNotSupported() {
  Raise(errors::kMemberNotSupported);
}

void WrongArgumentCount() {
  Raise(errors::kWrongArgumentCount);
}

HostFailure::HostFailure(std::string_view member, std::string_view type_name)
    : RunError(errors::kHostFailure, "The method " + std::string(member) + " failed"),
      source_("CATIA" + std::string(type_name)) {}

// The texts are built inside the constructor, so that no temporary outlives the throw: a
// refused call (a name that Item does not know, above all) is a common answer.
void MethodFailed(std::string_view member, std::string_view type_name) {
  throw HostFailure(member, type_name);
}

}  // namespace kelvort::standin
