// What the run knows of the "Form_" formulas that exist: for each formula name, the
// documents that hold one. CATIA's search works on the selection of a document that has a
// window (the active one); through it, the scope "all" finds the formula in every document
// of the structure, so each name is searched once a run, not once a product.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "host/dispatch.h"

namespace kelvort {

class FormulaHolders {
 public:
  // selection: the selection that the searches go through, the active document's.
  explicit FormulaHolders(DispatchPtr selection) : selection_(std::move(selection)) {}

  // Whether the document of the full name holds a formula of the name. The first question
  // about a name searches for it and reads, for every match, the document that holds it
  // (three Parent steps up). The selection is emptied before and after the search. A
  // failing search raises and leaves the name unknown, to be searched again.
  bool Hold(const std::string& formula_name, const std::string& document_name);

  // Records a formula that the run created in the document: nothing else creates formulas
  // while the run lasts, so the knowledge stays true without another search.
  void Created(const std::string& formula_name, const std::string& document_name);

 private:
  using Documents = std::unordered_set<std::string>;
  const Documents& Search(const std::string& formula_name);

  DispatchPtr selection_;
  std::unordered_map<std::string, Documents> holders_;
};

// The search for a formula by name. A name of other characters than letters, digits and
// underscores stands in single quotes, as the search syntax asks.
std::string FormulaSearchQuery(const std::string& formula_name);

}  // namespace kelvort
