// File name patterns as the file list takes them: "*" and "?" wildcards, several patterns
// separated by ";", letter case ignored, and "*.*" matching names without a dot too.
#pragma once

#include <string_view>

namespace kelvort {

bool MatchesPattern(std::string_view name, std::string_view patterns);

}  // namespace kelvort
