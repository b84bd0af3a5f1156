// Late-bound access in a few words: the members that give objects and texts, failing on
// an unset object as the language's late binding does (run-time error 91).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "host/dispatch.h"

namespace kelvort {

// The object itself; an unset object raises run-time error 91.
Dispatch& Deref(const DispatchPtr& object);

// A property that holds an object: Nothing raises 91, any other value 424.
DispatchPtr ObjectMember(const DispatchPtr& object, std::string_view member,
                         std::initializer_list<Variant> args = {});
// A property read as text.
std::string TextMember(const DispatchPtr& object, std::string_view member);

}  // namespace kelvort
