// The user's regional formats, read from a POSIX locale.
#pragma once

#include <locale.h>

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvort {

// The short date, long time, AM/PM texts, month names and number separators of a locale.
RegionalFormats ReadRegionalFormats(locale_t locale);

// A locale's date or time pattern in the conversions that RegionalFormats uses: composite
// conversions are spelled out (%r through the locale's twelve-hour pattern), E and O
// modifiers dropped, and conversions without a place in a short date or long time
// (weekday, time zone, ...) left out with the blank that follows them.
std::string NormalizeLocalePattern(std::string_view pattern, std::string_view twelve_hour_pattern);

}  // namespace kelvort
