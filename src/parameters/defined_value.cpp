// The kinds of value a definition makes, and the values a user property already holds as
// its definition takes them.
#include "parameters/defined_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "util/text.h"

namespace kelvort {
namespace {

// Decimal digits with an optional minus sign, within 32 bits.
std::optional<int32_t> WholeNumber(const std::string& text) {
  int32_t number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return number;
}

std::optional<Variant> AsInteger(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::kInteger:
    case Variant::Kind::kLong:
      return Variant(value.ToLong());
    case Variant::Kind::kDouble: {
      const double number = value.ToDouble();
      if (number != std::trunc(number) || number < INT32_MIN || number > INT32_MAX) break;
      return Variant(static_cast<int32_t>(number));
    }
    case Variant::Kind::kText:
      if (const auto number = WholeNumber(value.ToText())) return Variant(*number);
      break;
    default:
      break;
  }
  return std::nullopt;
}

std::optional<Variant> AsBoolean(const Variant& value) {
  if (value.kind() == Variant::Kind::kBoolean) return value;
  if (value.kind() != Variant::Kind::kText) return std::nullopt;
  const std::string word = ToLower(value.ToText());
  if (word != "true" && word != "false") return std::nullopt;
  return Variant(word == "true");
}

std::optional<Variant> AsText(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::kText:
    case Variant::Kind::kBoolean:
    case Variant::Kind::kInteger:
    case Variant::Kind::kLong:
      return Variant(ValueWord(value));
    default:
      return std::nullopt;  // a real's digits are not the real
  }
}

}  // namespace

DefinedKind KindOf(const ParameterRow& row) {
  if (Split(row[1], ',').size() != 1) return DefinedKind::kEnumerated;
  const std::string kind = ToLower(row[1]);
  if (kind == "boolean") return DefinedKind::kBoolean;
  if (kind == "integer") return DefinedKind::kInteger;
  return DefinedKind::kText;
}

std::vector<std::string> PermittedOf(const ParameterRow& row) {
  return Split(row[1], ',');
}

std::string TypeNameOf(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::kText:
      return "String";
    case Variant::Kind::kInteger:
    case Variant::Kind::kLong:
      return "Integer";
    case Variant::Kind::kBoolean:
      return "Boolean";
    case Variant::Kind::kDouble:
      return "Real";
    default:
      return {};
  }
}

std::string TypeNameOf(DefinedKind kind) {
  if (kind == DefinedKind::kBoolean) return "Boolean";
  return kind == DefinedKind::kInteger ? "Integer" : "String";
}

std::string ValueWord(const Variant& value) {
  if (value.kind() == Variant::Kind::kBoolean) return value.ToBoolean() ? "true" : "false";
  return value.ToText();
}

std::optional<Variant> ExactValue(const Variant& value, const ParameterRow& row) {
  switch (KindOf(row)) {
    case DefinedKind::kBoolean:
      return AsBoolean(value);
    case DefinedKind::kInteger:
      return AsInteger(value);
    case DefinedKind::kText:
      return AsText(value);
    case DefinedKind::kEnumerated:
      break;
  }
  if (value.kind() != Variant::Kind::kText) return std::nullopt;
  const std::string text = value.ToText();
  const std::vector<std::string> permitted = PermittedOf(row);
  if (!text.empty() && std::find(permitted.begin(), permitted.end(), text) == permitted.end()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace kelvort
