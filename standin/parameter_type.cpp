// The kinds of parameter and their values in text form.
#include "parameter_type.h"

#include <charconv>
#include <cmath>

#include "util/run_error.h"

namespace kelvort::standin {
namespace {

struct TypeNames {
  ParameterType type;
  std::string_view host_name;
  std::string_view word;
};
constexpr TypeNames kTypeNames[] = {
    {ParameterType::kString, "StrParam", "String"},
    {ParameterType::kInteger, "IntParam", "Integer"},
    {ParameterType::kBoolean, "BoolParam", "Boolean"},
    {ParameterType::kReal, "RealParam", "Real"},
};

const TypeNames& NamesOf(ParameterType type) {
  return kTypeNames[static_cast<int>(type)];
}

// The length of the UTF-8 sequence that starts with lead, 0 when lead cannot start one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

std::string_view HostTypeName(ParameterType type) {
  return NamesOf(type).host_name;
}
std::string_view TypeWord(ParameterType type) {
  return NamesOf(type).word;
}

std::optional<ParameterType> TypeFromWord(std::string_view word) {
  for (const TypeNames& names : kTypeNames) {
    if (names.word == word) return names.type;
  }
  return std::nullopt;
}

Variant Coerce(ParameterType type, const Variant& value) {
  switch (type) {
    case ParameterType::kString:
      return value.ToText();
    case ParameterType::kInteger:
      return value.ToLong();
    case ParameterType::kBoolean:
      return value.ToBoolean();
    case ParameterType::kReal: {
      const double number = value.ToDouble();
      if (!std::isfinite(number)) Raise(errors::kOverflow);
      return number;
    }
  }
  return {};
}

std::string ValueText(ParameterType type, const Variant& value) {
  if (type == ParameterType::kBoolean) return value.ToBoolean() ? "true" : "false";
  return value.ToText();
}

std::optional<Variant> ParseValueText(ParameterType type, std::string_view text) {
  switch (type) {
    case ParameterType::kString:
      return Variant(std::string(text));
    case ParameterType::kBoolean:
      if (text == "true") return Variant(true);
      if (text == "false") return Variant(false);
      return std::nullopt;
    case ParameterType::kInteger: {
      int32_t number = 0;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
      if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
      return Variant(number);
    }
    case ParameterType::kReal: {
      double number = 0;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
      if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) {
        return std::nullopt;
      }
      return Variant(number);
    }
  }
  return std::nullopt;
}

bool IsStorableText(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if ((lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r') || lead == 0x7F) {
      return false;
    }
    const size_t length = SequenceLength(lead);
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    // Overlong three- and four-byte forms, surrogates and code points above U+10FFFF.
    const auto second = length > 1 ? static_cast<unsigned char>(text[i + 1]) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace kelvort::standin
