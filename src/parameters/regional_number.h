// Numbers written in the user's regional number format, as Settings.xml defaults are.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace kelvort {

// The value of a text that reads as a number in the regional format, or nothing.
std::optional<double> ParseRegionalNumber(std::string_view text, const RegionalFormats& formats);

// The whole number a regional number text stands for: rounded to the nearest, an exact
// half to the even neighbour. Raises run-time error 13 for a text that is no number and 6
// when the rounded value does not fit a 32-bit signed integer.
int32_t ToRegionalInteger(std::string_view text, const RegionalFormats& formats);

}  // namespace kelvort
