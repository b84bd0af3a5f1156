// Late-bound access in a few words.
#include "host/late_binding.h"

#include "util/run_error.h"

namespace kelvort {

Dispatch& Deref(const DispatchPtr& object) {
  if (!object) Raise(errors::kObjectVariableNotSet);
  return *object;
}

DispatchPtr ObjectMember(const DispatchPtr& object, std::string_view member,
                         std::initializer_list<Variant> args) {
  return Deref(object).Get(member, args).ToObject();
}

std::string TextMember(const DispatchPtr& object, std::string_view member) {
  return Deref(object).Get(member).ToText();
}

}  // namespace kelvort
