// The user's regional formats, read from the Windows locale.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvort {

// The short date, long time, AM/PM texts, month names and number separators of the user's
// default locale (GetLocaleInfoEx).
RegionalFormats ReadRegionalFormats();

// A Windows date or time picture ("dd.MM.yyyy", "h:mm:ss tt") in the conversions that
// RegionalFormats uses; day names and eras, which a short date or long time rarely holds,
// are left out.
std::string FromWindowsPicture(std::string_view picture);

}  // namespace kelvort
