// Dates and times as text in the user's regional forms.
#include "util/date_time_text.h"

namespace kelvort {
namespace {

// fill '\0' leaves the number unpadded.
std::string Padded(int value, char fill) {
  std::string digits = std::to_string(value);
  if (digits.size() < 2 && fill != '\0') digits.insert(digits.begin(), fill);
  return digits;
}

std::string MonthName(const std::array<std::string, 12>& names, int month) {
  return month >= 1 && month <= 12 ? names[month - 1] : std::to_string(month);
}

// Appends the text of one conversion; false for a conversion that the patterns do not use.
// unpadded: the "-" flag, numbers without a leading zero.
bool Convert(char conversion, bool unpadded, const DateTime& when, const RegionalFormats& formats,
             std::string& out) {
  const char zero = unpadded ? '\0' : '0';
  const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
  switch (conversion) {
    case 'd':
      out += Padded(when.day, zero);
      return true;
    case 'e':
      out += Padded(when.day, ' ');
      return true;
    case 'm':
      out += Padded(when.month, zero);
      return true;
    case 'y':
      out += Padded(when.year % 100, zero);
      return true;
    case 'Y':
      out += std::to_string(when.year);
      return true;
    case 'b':
      out += MonthName(formats.abbreviated_month_names, when.month);
      return true;
    case 'B':
      out += MonthName(formats.month_names, when.month);
      return true;
    case 'H':
      out += Padded(when.hour, zero);
      return true;
    case 'I':
      out += Padded(hour12, zero);
      return true;
    case 'M':
      out += Padded(when.minute, zero);
      return true;
    case 'S':
      out += Padded(when.second, zero);
      return true;
    case 'p':
      out += when.hour < 12 ? formats.am : formats.pm;
      return true;
    case '%':
      out += '%';
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string FormatDateTime(const DateTime& when, std::string_view pattern,
                           const RegionalFormats& formats) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      out += pattern[i];
      continue;
    }
    const bool unpadded = pattern[i + 1] == '-' && i + 2 < pattern.size();
    if (unpadded) ++i;
    const char conversion = pattern[++i];
    if (!Convert(conversion, unpadded, when, formats, out)) {
      out += unpadded ? "%-" : "%";
      out += conversion;
    }
  }
  return out;
}

}  // namespace kelvort
