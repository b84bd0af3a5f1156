// Coercions of the late-bound value.
#include "host/variant.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "host/dispatch.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

// Reads a whole text as a number: blanks around, a sign, digits, a point, an exponent.
bool ParseNumber(std::string_view text, double& out) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

template <typename Int>
Int ToWhole(double value) {
  if (std::isnan(value)) Raise(errors::kOverflow);
  const double rounded = std::nearbyint(value);  // ties to even
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    Raise(errors::kOverflow);
  }
  return static_cast<Int>(rounded);
}

}  // namespace

Variant::Variant(DispatchPtr object) {
  if (object) {
    value_ = std::move(object);
  } else {
    value_ = NothingTag{};
  }
}

Variant Variant::Nothing() {
  return Variant(DispatchPtr());
}

double Variant::ToDouble() const {
  switch (kind()) {
    case Kind::kEmpty:
      return 0;
    case Kind::kBoolean:
      return std::get<bool>(value_) ? -1 : 0;
    case Kind::kInteger:
      return std::get<int16_t>(value_);
    case Kind::kLong:
      return std::get<int32_t>(value_);
    case Kind::kDouble:
      return std::get<double>(value_);
    case Kind::kText: {
      double out = 0;
      if (ParseNumber(std::get<std::string>(value_), out)) return out;
      break;
    }
    default:
      break;
  }
  Raise(errors::kTypeMismatch);
}

bool Variant::ToBoolean() const {
  if (kind() == Kind::kBoolean) return std::get<bool>(value_);
  if (kind() == Kind::kText) {
    const std::string lower = ToLower(std::get<std::string>(value_));
    if (lower == "true") return true;
    if (lower == "false") return false;
  }
  return ToDouble() != 0;
}

int16_t Variant::ToInteger() const {
  return ToWhole<int16_t>(ToDouble());
}

int32_t Variant::ToLong() const {
  if (kind() == Kind::kLong) return std::get<int32_t>(value_);
  return ToWhole<int32_t>(ToDouble());
}

std::string Variant::ToText() const {
  switch (kind()) {
    case Kind::kEmpty:
      return {};
    case Kind::kBoolean:
      return std::get<bool>(value_) ? "True" : "False";
    case Kind::kInteger:
      return std::to_string(std::get<int16_t>(value_));
    case Kind::kLong:
      return std::to_string(std::get<int32_t>(value_));
    case Kind::kDouble: {
      char buffer[32];
      auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(value_));
      return std::string(buffer, ec == std::errc() ? end : buffer);
    }
    case Kind::kText:
      return std::get<std::string>(value_);
    default:
      Raise(errors::kTypeMismatch);
  }
}

const Variant::Array& Variant::ToArray() const {
  if (kind() != Kind::kArray) Raise(errors::kTypeMismatch);
  return std::get<Array>(value_);
}

DispatchPtr Variant::ToObject() const {
  if (kind() == Kind::kNothing) Raise(errors::kObjectVariableNotSet);
  if (kind() != Kind::kObject) Raise(errors::kObjectRequired);
  return std::get<DispatchPtr>(value_);
}

DispatchPtr Variant::ToObjectOrNull() const {
  if (kind() == Kind::kNothing || kind() == Kind::kEmpty) return nullptr;
  return ToObject();
}

bool Variant::operator==(const Variant& other) const = default;

}  // namespace kelvort
