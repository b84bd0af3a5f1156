// The kinds of value a definition makes, and the values a user property already holds as
// its definition takes them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/run_state.h"
#include "host/variant.h"

namespace kelvort {

enum class DefinedKind { kBoolean, kInteger, kText, kEnumerated };

// Boolean and integer by the type's name (any letter case), a value list or no type at all
// enumerated, any other type plain text.
DefinedKind KindOf(const ParameterRow& row);
// The permitted values of an enumerated definition: the pieces of its type.
std::vector<std::string> PermittedOf(const ParameterRow& row);

// The type of a value as the host hands it over: "String", "Integer", "Boolean", "Real", or
// empty for anything else. A definition's parameters are "String", "Integer" or "Boolean".
std::string TypeNameOf(const Variant& value);
std::string TypeNameOf(DefinedKind kind);
// A value as the report and the findings write it: true and false in lower case.
std::string ValueWord(const Variant& value);

// The user's value converted to the definition's kind where nothing is lost: a text taken
// as it is (for an enumerated definition only one of its values or the empty text), a whole
// number as an integer or its digits, true and false as a Boolean or the words; nothing
// otherwise.
std::optional<Variant> ExactValue(const Variant& value, const ParameterRow& row);

}  // namespace kelvort
