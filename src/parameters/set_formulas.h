// Adds the "Form_" formula of every defined parameter that does not have one yet.
#pragma once

#include <string>

#include "core/run_state.h"
#include "host/dispatch.h"
#include "parameters/defining_document.h"
#include "parameters/formula_holders.h"
#include "parameters/visit_items.h"

namespace kelvort {

// Makes sure that every definition of ParameterDefs has a formula "Form_<Name>" driving
// the product's user property of that name. product may be null: the root product of the
// part's document is then taken. Existing formulas are never changed. Failures are
// reported under "Set_Formulas".
//
// known holds what a caller has already read of the product's definition (empty members
// are read here): the user-property collection of its reference product and the document
// that defines it, with its type if read. The structure walk hands them over so that they
// are not fetched from the host a second time, and what its fills found and made: with
// it, a formula that would change or break what a user property holds (another relation
// drives it, its type or its earlier value differs from the parameter's) is not made but
// recorded as a clash, and the next row goes on. For a component (a product defined inside
// another product's document) it also hands over that document's root product, whose
// formulas are looked up before any search, and the run's knowledge of the formulas that
// exist (without it, Set_Formulas searches through the active document's selection on its
// own).
struct KnownDefinition {
  DispatchPtr properties;
  DefiningDocument document;
  DispatchPtr document_root;
  FormulaHolders* formulas = nullptr;
  const VisitItems* items = nullptr;
  // The full name of that document, when the walk has read it (empty: read here if needed).
  std::string document_name;
};
void Set_Formulas(RunState& state, const DispatchPtr& product, const DispatchPtr& part,
                  const KnownDefinition& known);

}  // namespace kelvort
