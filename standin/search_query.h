// The selection's search query: "CATKnowledgeSearch.<type>.Name=<name>,all".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvort::standin {

struct SearchQuery {
  // What the criteria's type selects: knowledge objects of any kind (an empty type),
  // formulas ("Formula") or parameters and user properties ("Parameter").
  enum class Kind { kAny, kFormula, kParameter };
  Kind kind = Kind::kAny;
  // The name, with * as a wildcard.
  std::string pattern;
};

// Reads a query; nothing for one the stand-in does not understand. The name is written
// bare (letters, digits, _ - . *) or in single quotes (anything but a quote); the scope is
// "all".
std::optional<SearchQuery> ParseSearchQuery(std::string_view query);

}  // namespace kelvort::standin
