// The run's knowledge of the documents that hold each "Form_" formula.
#include "parameters/formula_holders.h"

#include <algorithm>

#include "host/late_binding.h"

namespace kelvort {

std::string FormulaSearchQuery(const std::string& formula_name) {
  const bool bare = std::all_of(formula_name.begin(), formula_name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
  const std::string name = bare ? formula_name : "'" + formula_name + "'";
  return "CATKnowledgeSearch..Name=" + name + ",all";
}

const FormulaHolders::Documents& FormulaHolders::Search(const std::string& formula_name) {
  if (const auto known = holders_.find(formula_name); known != holders_.end()) {
    return known->second;
  }
  // The matches are read with Count2 and Item2: Count and Item miss the features that
  // CATIA does not expose to automation. Counts above 32767 fail here.
  Dispatch& selection = Deref(selection_);
  selection.Call("Clear");
  selection.Call("Search", {FormulaSearchQuery(formula_name)});
  Documents documents;
  const int16_t matches = selection.Get("Count2").ToInteger();
  for (int32_t i = 1; i <= matches; ++i) {
    DispatchPtr holder = ObjectMember(selection.Call("Item2", {i}).ToObject(), "Value");
    for (int step = 0; step < 3; ++step) holder = ObjectMember(holder, "Parent");
    documents.insert(TextMember(holder, "FullName"));
  }
  selection.Call("Clear");
  return holders_.emplace(formula_name, std::move(documents)).first->second;
}

bool FormulaHolders::Hold(const std::string& formula_name, const std::string& document_name) {
  return Search(formula_name).contains(document_name);
}

void FormulaHolders::Created(const std::string& formula_name, const std::string& document_name) {
  if (const auto known = holders_.find(formula_name); known != holders_.end()) {
    known->second.insert(document_name);
  }
}

}  // namespace kelvort
