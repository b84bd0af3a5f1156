// The four kinds of parameter the stand-in holds, with their host and file names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace kelvort::standin {

enum class ParameterType { kString, kInteger, kBoolean, kReal };

// The host's type name: "StrParam", "IntParam", "BoolParam", "RealParam".
std::string_view HostTypeName(ParameterType type);
// The word in document files and printed trees: "String", "Integer", "Boolean", "Real".
std::string_view TypeWord(ParameterType type);
std::optional<ParameterType> TypeFromWord(std::string_view word);

// A value converted to the parameter type with the late-bound coercions (a failing
// conversion raises run-time error 13 or 6).
Variant Coerce(ParameterType type, const Variant& value);
// The value as the host writes it: "12", "12.5", "true", or the text itself.
std::string ValueText(ParameterType type, const Variant& value);
// Reads a value from its ValueText form; nothing when the text is not such a value.
std::optional<Variant> ParseValueText(ParameterType type, std::string_view text);

// A text the host can hold and write to its files: valid UTF-8 without control
// characters other than tab, line feed and carriage return.
bool IsStorableText(std::string_view text);

}  // namespace kelvort::standin
