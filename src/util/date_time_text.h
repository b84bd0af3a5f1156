// Dates and times as text in the user's regional forms.
#pragma once

#include <string>
#include <string_view>

#include "util/regional_formats.h"

namespace kelvort {

// The date and time written with a pattern of RegionalFormats (%d %e %m %y %Y %b %B %H %I
// %M %S %p, and %% for a percent sign; a "-" flag, as in %-d, drops the leading zero of a
// number). Other conversions are copied as they stand.
std::string FormatDateTime(const DateTime& when, std::string_view pattern,
                           const RegionalFormats& formats);

}  // namespace kelvort
