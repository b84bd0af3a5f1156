// Small text helpers shared by every subsystem.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvort {

// ASCII letter case, as the program's key and type comparisons need it.
std::string ToLower(std::string_view text);
// Blanks (spaces and tabs) removed at both ends.
std::string_view Trim(std::string_view text);
// Splits at every separator; empty pieces count, so "a," gives "a" and "". The empty
// text gives no piece at all.
std::vector<std::string> Split(std::string_view text, char separator);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// The number of single-letter insertions, deletions, changes and swaps of neighbours
// between the two texts, letter case ignored: how near a misspelt word lies to the one meant.
size_t EditDistance(std::string_view a, std::string_view b);
// Every line break (CR LF, a lone LF or a lone CR) replaced by the given text.
std::string ReplaceLineBreaks(std::string_view text, std::string_view replacement);
// Every "{1}", "{2}", ... replaced by the first, second, ... value; other text unchanged.
std::string FilledIn(std::string_view text, const std::vector<std::string>& values);

}  // namespace kelvort
