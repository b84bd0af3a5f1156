// Numbers written in the user's regional number format.
#include "parameters/regional_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Counts the digits at the front of text.
size_t DigitRun(std::string_view text) {
  size_t n = 0;
  while (n < text.size() && IsDigit(text[n])) ++n;
  return n;
}

}  // namespace

// The grammar, after blanks (spaces, tabs) at both ends are dropped:
//   number   = [sign] mantissa [exponent]
//   sign     = "+" | "-"
//   mantissa = digits [separator [digits]] | separator digits
//   exponent = ("e" | "E") [sign] digits
// where separator is the regional decimal separator. Thousands separators, currency
// signs, hexadecimal and the words Inf and NaN are not numbers here.
std::optional<double> ParseRegionalNumber(std::string_view text, const RegionalFormats& formats) {
  std::string_view rest = Trim(text);
  std::string normal;  // the same number in the C locale's notation, for from_chars
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    if (rest.front() == '-') normal += '-';
    rest.remove_prefix(1);
  }
  const size_t whole = DigitRun(rest);
  normal.append(rest.substr(0, whole));
  rest.remove_prefix(whole);
  size_t fraction = 0;
  const std::string_view separator = formats.decimal_separator;
  if (!separator.empty() && StartsWith(rest, separator)) {
    rest.remove_prefix(separator.size());
    fraction = DigitRun(rest);
    normal += '.';
    normal.append(rest.substr(0, fraction));
    rest.remove_prefix(fraction);
  }
  if (whole + fraction == 0) return std::nullopt;
  if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
    rest.remove_prefix(1);
    normal += 'e';
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
      normal += rest.front();
      rest.remove_prefix(1);
    }
    const size_t exponent = DigitRun(rest);
    if (exponent == 0) return std::nullopt;
    normal.append(rest.substr(0, exponent));
    rest.remove_prefix(exponent);
  }
  if (!rest.empty()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (ec != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value)) {
    return std::nullopt;  // beyond the range of a double
  }
  return value;
}

int32_t ToRegionalInteger(std::string_view text, const RegionalFormats& formats) {
  const std::optional<double> value = ParseRegionalNumber(text, formats);
  if (!value) Raise(errors::kTypeMismatch);
  const double rounded = std::nearbyint(*value);  // the default rounding mode: ties to even
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    Raise(errors::kOverflow);
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace kelvort
