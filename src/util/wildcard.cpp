// Wildcard patterns.
#include "util/wildcard.h"

namespace kelvort {

bool WildcardMatch(std::string_view pattern, std::string_view text, bool question_mark) {
  // Greedy matching with one back-track point: the last "*" seen.
  size_t p = 0, t = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() &&
               (pattern[p] == text[t] || (question_mark && pattern[p] == '?'))) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace kelvort
