// A local date and time, and the user's regional formats that write dates, times and
// numbers.
#pragma once

#include <array>
#include <string>

namespace kelvort {

struct DateTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The user's regional settings, read once at start-up by the platform. Tests hand in
// the formats they need.
struct RegionalFormats {
  // Patterns in strftime notation, limited to %d %e %m %y %Y %b %B %H %I %M %S %p; the flag
  // "-" (%-d) drops a number's leading zero.
  std::string short_date = "%m/%d/%Y";
  std::string long_time = "%H:%M:%S";
  std::string am = "AM", pm = "PM";
  std::string decimal_separator = ".";
  std::string thousands_separator = ",";
  // Month names for %B and %b, January first.
  std::array<std::string, 12> month_names = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
  std::array<std::string, 12> abbreviated_month_names = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

}  // namespace kelvort
