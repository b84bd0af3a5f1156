// Small text helpers shared by every subsystem.
#include "util/text.h"

#include <algorithm>

namespace kelvort {

namespace {
char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

std::string ToLower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
  return out;
}

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      pieces.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return pieces;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

std::string ReplaceLineBreaks(std::string_view text, std::string_view replacement) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      out += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out += replacement;
  }
  return out;
}

size_t EditDistance(std::string_view a, std::string_view b) {
  const std::string from = ToLower(a);
  const std::string to = ToLower(b);
  std::vector<std::vector<size_t>> d(from.size() + 1, std::vector<size_t>(to.size() + 1));
  for (size_t i = 0; i <= from.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= to.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= from.size(); ++i) {
    for (size_t j = 1; j <= to.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (from[i - 1] != to[j - 1])});
      if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[from.size()][to.size()];
}

std::string FilledIn(std::string_view text, const std::vector<std::string>& values) {
  std::string out(text);
  for (size_t i = values.size(); i > 0; --i) {
    const std::string mark = "{" + std::to_string(i) + "}";
    for (size_t at = out.find(mark); at != std::string::npos;
         at = out.find(mark, at + values[i - 1].size())) {
      out.replace(at, mark.size(), values[i - 1]);
    }
  }
  return out;
}

}  // namespace kelvort
