// Finding knowledge objects (parameters, user properties, formulas) by name in a document
// and the documents its structure reaches.
#pragma once

#include <vector>

#include "document.h"
#include "search_query.h"

namespace kelvort::standin {

// The matches in the order of the structure tree: a product's parameters, user properties
// and formulas, then its children depth first; a part's after its document's product.
// Each object comes once, however often its product is placed.
std::vector<DispatchPtr> FindKnowledgeObjects(Document& document, const SearchQuery& query);

}  // namespace kelvort::standin
