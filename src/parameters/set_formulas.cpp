// Adds the "Form_" formula of every defined parameter that does not have one yet.
#include "parameters/set_formulas.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/definition_rows.h"
#include "parameters/recording.h"

namespace kelvort {
namespace {

struct UserProperty {
  DispatchPtr object;
  std::string name;
};

// The user-property collection of the product's reference; null when the host has none to
// give. The reference product is kept for the defining document.
DispatchPtr UserPropertiesOf(const DispatchPtr& product, DispatchPtr& reference) {
  DispatchPtr properties;
  IgnoringErrors([&] {
    reference = ObjectMember(product, "ReferenceProduct");
    properties = reference->Get("UserRefProperties").ToObjectOrNull();
  });
  return properties;
}

// The items of the collection with their names, read once: nothing in a call changes them.
std::vector<UserProperty> ReadUserProperties(Dispatch& properties) {
  // Counts above 32767 fail here; the loop's own counter is wider, so 32767 does not wrap.
  const int16_t count = properties.Get("Count").ToInteger();
  std::vector<UserProperty> items;
  items.reserve(count > 0 ? count : 0);
  for (int32_t i = 1; i <= count; ++i) {
    DispatchPtr item = properties.Call("Item", {i}).ToObject();
    std::string name = TextMember(item, "Name");
    items.push_back({std::move(item), std::move(name)});
  }
  return items;
}

// The product's user properties, found by definition name. The names and the product's
// identifier are read once, when the first formula needs its user property: a product
// whose formulas all exist needs neither.
class UserPropertyFinder {
 public:
  UserPropertyFinder(Dispatch& properties, const DispatchPtr& product)
      : properties_(properties), product_(product) {}

  // The first user property named "<id>\Properties\<name>" or "<id>\Eigenschaften\<name>".
  const UserProperty* Find(const std::string& name) {
    if (!items_) {
      items_ = ReadUserProperties(properties_);
      identifier_ = TextMember(product_, "PartNumber");
    }
    const std::string english = identifier_ + "\\Properties\\" + name;
    const std::string german = identifier_ + "\\Eigenschaften\\" + name;
    for (const UserProperty& item : *items_) {
      if (item.name == english || item.name == german) return &item;
    }
    return nullptr;
  }

 private:
  Dispatch& properties_;
  const DispatchPtr& product_;
  std::optional<std::vector<UserProperty>> items_;
  std::string identifier_;
};

// Whether one of the selection's matches lies in the document: three Parent steps lead
// from a formula to the document that holds it. The document's FullName is read when the
// first match needs it, and kept for the later searches.
bool FoundInDocument(Dispatch& selection, const DispatchPtr& document,
                     std::optional<std::string>& document_name) {
  const int16_t matches = selection.Get("Count").ToInteger();
  for (int32_t i = 1; i <= matches; ++i) {
    DispatchPtr holder = ObjectMember(selection.Call("Item", {i}).ToObject(), "Value");
    for (int step = 0; step < 3; ++step) holder = ObjectMember(holder, "Parent");
    if (!document_name) document_name = TextMember(document, "FullName");
    if (TextMember(holder, "FullName") == *document_name) return true;
  }
  return false;
}

// The search for a formula by name. A name of other characters than letters, digits and
// underscores stands in single quotes, as the search syntax asks.
std::string FormulaSearchQuery(const std::string& formula_name) {
  const bool bare = std::all_of(formula_name.begin(), formula_name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
  const std::string name = bare ? formula_name : "'" + formula_name + "'";
  return "CATKnowledgeSearch..Name=" + name + ",all";
}

bool FormulaExists(Dispatch& relations, const std::string& formula_name) {
  bool found = false;
  IgnoringErrors(
      [&] { found = relations.Call("Item", {formula_name}).ToObjectOrNull() != nullptr; });
  return found;
}

// The product's own formula collection, asked before any search: a formula it holds lies in
// the document that defines the product, where the search would find it too. Look-ups stop
// once they have found as many formulas as the collection holds: a first run, which finds
// none, asks for the count alone. A collection that cannot be read, and a failing look-up,
// answer "not held": the search then decides, as it would without them.
class OwnFormulas {
 public:
  explicit OwnFormulas(const DispatchPtr& product) {
    IgnoringErrors([&] {
      relations_ = ObjectMember(product, "Relations");
      unfound_ = relations_->Get("Count").ToLong();
    });
  }

  bool Hold(const std::string& formula_name) {
    if (unfound_ <= 0 || !FormulaExists(*relations_, formula_name)) return false;
    --unfound_;
    return true;
  }

  // The collection itself, for creating a formula in it.
  const DispatchPtr& relations() const { return relations_; }

 private:
  DispatchPtr relations_;
  int32_t unfound_ = 0;
};

void CreateFormula(Dispatch& relations, const std::string& formula_name,
                   const UserProperty* property) {
  if (property == nullptr) Raise(errors::kObjectVariableNotSet);  // nothing to drive
  const size_t last = property->name.rfind('\\');
  const std::string body =
      last == std::string::npos ? property->name : property->name.substr(last + 1);
  relations.Call("CreateFormula", {formula_name, "", Variant(property->object), body});
}

}  // namespace

void Set_Formulas(RunState& state, const DispatchPtr& product, const DispatchPtr& part) {
  Set_Formulas(state, product, part, KnownDefinition{});
}

void Set_Formulas(RunState& state, const DispatchPtr& product, const DispatchPtr& part,
                  const KnownDefinition& known) {
  Procedure(state, "Set_Formulas", Gate::kNone, [&] {
    const DispatchPtr owner =
        product ? product : ObjectMember(ObjectMember(part, "Parent"), "Product");
    DispatchPtr reference;
    const DispatchPtr properties =
        known.properties ? known.properties : UserPropertiesOf(owner, reference);
    if (!properties) {
      if (!state.NoUserPropertiesShown)
        state.platform.message_boxes.Show("Keine UserProperties definiert.", "Abbruch");
      state.NoUserPropertiesShown = true;
      return;
    }
    const std::vector<ParameterRow>& rows = DefinitionRows(state);
    if (rows.empty()) return;
    const DispatchPtr recorded_properties = Recorded(state, properties, ItemKind::kUserProperty);
    UserPropertyFinder user_properties(*recorded_properties, owner);
    const DefiningDocument document = known.document.object()
                                          ? known.document
                                          : DefiningDocument(ObjectMember(reference, "Parent"));

    if (!document.IsProductDocument()) {
      const DispatchPtr relations =
          Recorded(state, ObjectMember(part, "Relations"), ItemKind::kFormula);
      for (const ParameterRow& row : rows) {
        DefinitionInHand(state, row[0]);
        const std::string formula_name = "Form_" + row[0];
        if (FormulaExists(*relations, formula_name)) continue;
        CreateFormula(*relations, formula_name, user_properties.Find(row[0]));
      }
      DefinitionInHand(state, "");
      return;
    }

    // In a product document the formula may lie anywhere in the structure: unless the
    // product's own collection holds it, search it and count only a match that this
    // document holds. The selection is emptied before the first search and after each one,
    // so it is empty before every search.
    const DispatchPtr selection = ObjectMember(document.object(), "Selection");
    std::optional<std::string> document_name;
    OwnFormulas own(owner);
    DispatchPtr relations;
    selection->Call("Clear");
    for (const ParameterRow& row : rows) {
      DefinitionInHand(state, row[0]);
      const std::string formula_name = "Form_" + row[0];
      if (own.Hold(formula_name)) {
        KnownFormula(state, true, formula_name);
        continue;
      }
      selection->Call("Search", {FormulaSearchQuery(formula_name)});
      if (!KnownFormula(state, FoundInDocument(*selection, document.object(), document_name),
                        formula_name)) {
        if (!relations) {
          relations =
              Recorded(state, own.relations() ? own.relations() : ObjectMember(owner, "Relations"),
                       ItemKind::kFormula);
        }
        CreateFormula(*relations, formula_name, user_properties.Find(row[0]));
      }
      selection->Call("Clear");
    }
    DefinitionInHand(state, "");
  });
}

}  // namespace kelvort
