// Finding knowledge objects by name.
#include "knowledge_search.h"

#include <memory_resource>
#include <unordered_set>

#include "part.h"
#include "product.h"
#include "products.h"
#include "util/wildcard.h"

namespace kelvort::standin {
namespace {

class KnowledgeSearch {
 public:
  explicit KnowledgeSearch(const SearchQuery& query)
      : query_(query), exact_(query.pattern.find('*') == std::string::npos) {}

  void Visit(Product& reference) {
    // A document that is not loaded (cache mode) shows nothing of its content.
    if (!visited_.insert(&reference).second || !reference.loaded()) return;
    Collect(*reference.parameters());
    Collect(*reference.properties());
    Collect(*reference.relations());
    const auto home = reference.document();
    if (home && home->part() && home->product().get() == &reference) {
      Collect(*home->part()->parameters());
      Collect(*home->part()->relations());
    }
    for (const ProductPtr& child : reference.products()->items()) Visit(*child->reference());
  }

  std::vector<DispatchPtr> TakeMatches() { return std::move(matches_); }

 private:
  // A name without a wildcard is found through the collection's index (names are unique
  // within a collection) instead of by comparing every item.
  void Collect(const Parameters& parameters) {
    if (query_.kind == SearchQuery::Kind::kFormula || parameters.items().empty()) return;
    if (exact_) {
      if (ParameterPtr parameter = parameters.FindShort(query_.pattern)) {
        matches_.push_back(std::move(parameter));
      }
      return;
    }
    for (const ParameterPtr& parameter : parameters.items()) {
      if (WildcardMatch(query_.pattern, parameter->short_name(), false))
        matches_.push_back(parameter);
    }
  }
  void Collect(const Relations& relations) {
    if (query_.kind == SearchQuery::Kind::kParameter || relations.items().empty()) return;
    if (exact_) {
      if (FormulaPtr formula = relations.Find(query_.pattern))
        matches_.push_back(std::move(formula));
      return;
    }
    for (const FormulaPtr& formula : relations.items()) {
      if (WildcardMatch(query_.pattern, formula->Name(), false)) matches_.push_back(formula);
    }
  }

  const SearchQuery& query_;
  const bool exact_;
  // A search over a large structure visits thousands of products: their set lives in one
  // arena, released at once.
  std::pmr::monotonic_buffer_resource arena_;
  std::pmr::unordered_set<const Product*> visited_{&arena_};
  std::vector<DispatchPtr> matches_;
};

}  // namespace

std::vector<DispatchPtr> FindKnowledgeObjects(Document& document, const SearchQuery& query) {
  KnowledgeSearch search(query);
  if (document.product()) search.Visit(*document.product());
  return search.TakeMatches();
}

}  // namespace kelvort::standin
