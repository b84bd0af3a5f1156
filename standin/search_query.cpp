// The selection's search query.
#include "search_query.h"

#include "util/text.h"

namespace kelvort::standin {
namespace {

constexpr std::string_view kWorkbench = "CATKnowledgeSearch.";
constexpr std::string_view kNameCriterion = ".Name=";

bool IsBareNameCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.' || c == '*';
}

}  // namespace

std::optional<SearchQuery> ParseSearchQuery(std::string_view query) {
  if (!StartsWith(query, kWorkbench)) return std::nullopt;
  query.remove_prefix(kWorkbench.size());
  const size_t criterion = query.find(kNameCriterion);
  if (criterion == std::string_view::npos) return std::nullopt;
  SearchQuery parsed;
  const std::string_view type = query.substr(0, criterion);
  if (type == "Formula") {
    parsed.kind = SearchQuery::Kind::kFormula;
  } else if (type == "Parameter") {
    parsed.kind = SearchQuery::Kind::kParameter;
  } else if (!type.empty()) {
    return std::nullopt;
  }
  std::string_view rest = query.substr(criterion + kNameCriterion.size());
  if (StartsWith(rest, "'")) {
    const size_t close = rest.find('\'', 1);
    if (close == std::string_view::npos) return std::nullopt;
    parsed.pattern = rest.substr(1, close - 1);
    rest.remove_prefix(close + 1);
  } else {
    size_t end = 0;
    while (end < rest.size() && IsBareNameCharacter(rest[end])) ++end;
    parsed.pattern = rest.substr(0, end);
    rest.remove_prefix(end);
  }
  if (parsed.pattern.empty() || rest != ",all") return std::nullopt;
  return parsed;
}

}  // namespace kelvort::standin
