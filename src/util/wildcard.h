// Wildcard patterns: "*" for any run of characters, optionally "?" for one character.
#pragma once

#include <string_view>

namespace kelvort {

// Whether the whole text matches the pattern. Letter case counts. With question_mark
// false a "?" is an ordinary character.
bool WildcardMatch(std::string_view pattern, std::string_view text, bool question_mark = true);

}  // namespace kelvort
