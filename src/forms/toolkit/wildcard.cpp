// File name patterns of the file list.
#include "forms/toolkit/wildcard.h"

#include "util/text.h"
#include "util/wildcard.h"

namespace kelvort {
bool MatchesPattern(std::string_view file_name, std::string_view patterns) {
  const std::string name = ToLower(file_name);
  for (const std::string& piece : Split(ToLower(patterns), ';')) {
    const std::string_view pattern = Trim(piece);
    if (pattern.empty()) continue;
    if (WildcardMatch(pattern, name)) return true;
    // "name.*" also matches a name without any extension.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string::npos &&
        WildcardMatch(pattern.substr(0, pattern.size() - 2), name)) {
      return true;
    }
  }
  return false;
}

}  // namespace kelvort
