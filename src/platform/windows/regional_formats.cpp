// The user's regional formats, read from the Windows locale.
#include "platform/windows/regional_formats.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace kelvort {
namespace {

std::string LocaleItem(LCTYPE item) {
  wchar_t buffer[128];
  const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 128);
  return length > 1 ? Narrow(std::wstring_view(buffer, static_cast<size_t>(length - 1))) : "";
}

// The conversion for a run of one picture letter; empty for a run that is left out.
std::string_view Conversion(char letter, size_t run) {
  switch (letter) {
    case 'd':
      return run == 1 ? "%-d" : run == 2 ? "%d" : "";
    case 'M':
      return run == 1 ? "%-m" : run == 2 ? "%m" : run == 3 ? "%b" : "%B";
    case 'y':
      return run == 1 ? "%-y" : run == 2 ? "%y" : "%Y";
    case 'h':
      return run == 1 ? "%-I" : "%I";
    case 'H':
      return run == 1 ? "%-H" : "%H";
    case 'm':
      return run == 1 ? "%-M" : "%M";
    case 's':
      return run == 1 ? "%-S" : "%S";
    case 't':
      return "%p";
    default:  // 'g', the era
      return "";
  }
}

}  // namespace

std::string FromWindowsPicture(std::string_view picture) {
  constexpr std::string_view kLetters = "dMyhHmstg";
  std::string out;
  for (size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      // Quoted literal text; two quotes stand for one.
      const size_t close = picture.find('\'', i + 1);
      const std::string_view literal =
          picture.substr(i + 1, (close == std::string_view::npos ? picture.size() : close) - i - 1);
      out += literal.empty() ? "'" : std::string(literal);
      i = close == std::string_view::npos ? picture.size() : close + 1;
    } else if (kLetters.find(c) != std::string_view::npos) {
      size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      const std::string_view conversion = Conversion(c, run);
      out += conversion;
      i += run;
      // A left-out element takes the separators behind it along ("dddd, " of a long date).
      while (conversion.empty() && i < picture.size() && (picture[i] == ',' || picture[i] == ' ')) {
        ++i;
      }
    } else {
      out += c == '%' ? "%%" : std::string(1, c);
      ++i;
    }
  }
  // A left-out element at either end leaves no blank behind.
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

RegionalFormats ReadRegionalFormats() {
  RegionalFormats formats;
  const std::string date = FromWindowsPicture(LocaleItem(LOCALE_SSHORTDATE));
  const std::string time = FromWindowsPicture(LocaleItem(LOCALE_STIMEFORMAT));
  if (!date.empty()) formats.short_date = date;
  if (!time.empty()) formats.long_time = time;
  formats.am = LocaleItem(LOCALE_S1159);
  formats.pm = LocaleItem(LOCALE_S2359);
  const std::string decimal = LocaleItem(LOCALE_SDECIMAL);
  if (!decimal.empty()) formats.decimal_separator = decimal;
  formats.thousands_separator = LocaleItem(LOCALE_STHOUSAND);
  const std::string list = LocaleItem(LOCALE_SLIST);
  if (!list.empty()) formats.list_separator = list;
  for (int month = 0; month < 12; ++month) {
    formats.month_names[month] = LocaleItem(LOCALE_SMONTHNAME1 + month);
    formats.abbreviated_month_names[month] = LocaleItem(LOCALE_SABBREVMONTHNAME1 + month);
  }
  return formats;
}

}  // namespace kelvort
