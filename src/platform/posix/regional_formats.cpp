// The user's regional formats, read from a POSIX locale.
#include "platform/posix/regional_formats.h"

#include <langinfo.h>

namespace kelvort {
namespace {

constexpr std::string_view kKept = "deymYbBHIMSp%";
constexpr int kMaxDepth = 4;  // %r may itself hold %T, and no more

std::string Normalize(std::string_view pattern, std::string_view twelve_hour, int depth) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      out += pattern[i];
      continue;
    }
    char conversion = pattern[++i];
    if ((conversion == 'E' || conversion == 'O') && i + 1 < pattern.size()) {
      conversion = pattern[++i];
    }
    if (conversion == 'h') conversion = 'b';
    if (kKept.find(conversion) != std::string_view::npos) {
      out += '%';
      out += conversion;
      continue;
    }
    std::string_view expansion;
    switch (conversion) {
      case 'T':
        expansion = "%H:%M:%S";
        break;
      case 'R':
        expansion = "%H:%M";
        break;
      case 'D':
        expansion = "%m/%d/%y";
        break;
      case 'F':
        expansion = "%Y-%m-%d";
        break;
      case 'r':
        expansion = twelve_hour.empty() ? "%I:%M:%S %p" : twelve_hour;
        break;
      default:
        if (i + 1 < pattern.size() && pattern[i + 1] == ' ') ++i;
        continue;
    }
    if (depth < kMaxDepth) out += Normalize(expansion, twelve_hour, depth + 1);
  }
  // A pattern left with a dropped conversion at its end keeps no trailing blank.
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string Item(nl_item item, locale_t locale) {
  return ::nl_langinfo_l(item, locale);
}

}  // namespace

std::string NormalizeLocalePattern(std::string_view pattern, std::string_view twelve_hour_pattern) {
  return Normalize(pattern, twelve_hour_pattern, 0);
}

RegionalFormats ReadRegionalFormats(locale_t locale) {
  RegionalFormats formats;
  const std::string twelve_hour = Item(T_FMT_AMPM, locale);
  const std::string date = NormalizeLocalePattern(Item(D_FMT, locale), twelve_hour);
  const std::string time = NormalizeLocalePattern(Item(T_FMT, locale), twelve_hour);
  if (!date.empty()) formats.short_date = date;
  if (!time.empty()) formats.long_time = time;
  formats.am = Item(AM_STR, locale);
  formats.pm = Item(PM_STR, locale);
  const std::string radix = Item(RADIXCHAR, locale);
  if (!radix.empty()) formats.decimal_separator = radix;
  formats.thousands_separator = Item(THOUSEP, locale);
  // POSIX locales name no list separator; where the comma is the decimal separator,
  // lists are separated by semicolons, as the desktop's spreadsheets expect.
  formats.list_separator = formats.decimal_separator == "," ? ";" : ",";
  for (int month = 0; month < 12; ++month) {
    formats.month_names[month] = Item(static_cast<nl_item>(MON_1 + month), locale);
    formats.abbreviated_month_names[month] = Item(static_cast<nl_item>(ABMON_1 + month), locale);
  }
  return formats;
}

}  // namespace kelvort
