// File name patterns of the file list.
#include "forms/toolkit/wildcard.h"

#include "util/text.h"

namespace kelvort {
namespace {

// Wildcard match with one back-track point, the last "*"; both texts in lower case.
bool Matches(std::string_view name, std::string_view pattern) {
  size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesPattern(std::string_view file_name, std::string_view patterns) {
  const std::string name = ToLower(file_name);
  for (const std::string& piece : Split(ToLower(patterns), ';')) {
    const std::string_view pattern = Trim(piece);
    if (pattern.empty()) continue;
    if (Matches(name, pattern)) return true;
    // "name.*" also matches a name without any extension.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string::npos &&
        Matches(name, pattern.substr(0, pattern.size() - 2))) {
      return true;
    }
  }
  return false;
}

}  // namespace kelvort
