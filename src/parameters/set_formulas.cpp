// Adds the "Form_" formula of every defined parameter that does not have one yet.
#include "parameters/set_formulas.h"

#include <optional>
#include <string>
#include <vector>

#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/definition_rows.h"
#include "parameters/formula_clash.h"
#include "parameters/formula_holders.h"
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

// Whether the row's formula may be made; one that would change or break what the user
// property holds is recorded as a clash instead. Without a user property the creation
// fails as it always has.
bool MayLink(RunState& state, const ParameterRow& row, const UserProperty* property,
             const VisitItems* items) {
  if (property == nullptr || items == nullptr) return true;
  const auto clash = FormulaClash(row, items->Find(row[0]), *property->object);
  if (clash) RecordClash(state, row[0], *clash);
  return !clash;
}

// The selection of the active document, the one CATIA's search works on.
DispatchPtr ActiveSelection(RunState& state) {
  return ObjectMember(ObjectMember(state.CatiaApp, "ActiveDocument"), "Selection");
}

// A part document's formulas: its part's own collection decides.
void PartFormulas(RunState& state, const DispatchPtr& part, const std::vector<ParameterRow>& rows,
                  UserPropertyFinder& user_properties, const KnownDefinition& known) {
  const DispatchPtr relations =
      Recorded(state, ObjectMember(part, "Relations"), ItemKind::kFormula);
  for (const ParameterRow& row : rows) {
    DefinitionInHand(state, row[0]);
    const std::string formula_name = "Form_" + row[0];
    if (FormulaExists(*relations, formula_name)) continue;
    const UserProperty* property = user_properties.Find(row[0]);
    if (MayLink(state, row, property, known.items))
      CreateFormula(*relations, formula_name, property);
  }
}

// In a product document the formula may lie anywhere in the document's structure: unless
// the product's own collection holds it, the run's knowledge of the documents that hold it
// decides (a search the first time the run asks about the name).
void ProductFormulas(RunState& state, const DispatchPtr& owner, const DefiningDocument& document,
                     const std::vector<ParameterRow>& rows, UserPropertyFinder& user_properties,
                     const KnownDefinition& known) {
  std::optional<FormulaHolders> own_holders;
  FormulaHolders& holders =
      known.formulas ? *known.formulas : own_holders.emplace(ActiveSelection(state));
  std::optional<std::string> document_name;
  if (!known.document_name.empty()) document_name = known.document_name;
  // A component looks up in its document's root product, which holds the document's
  // formulas as a rule; a formula it lacks is still created in the component's own.
  OwnFormulas own(known.document_root ? known.document_root : owner);
  DispatchPtr relations;
  for (const ParameterRow& row : rows) {
    DefinitionInHand(state, row[0]);
    const std::string formula_name = "Form_" + row[0];
    if (own.Hold(formula_name)) {
      KnownFormula(state, true, formula_name);
      continue;
    }
    if (!document_name) document_name = TextMember(document.object(), "FullName");
    if (KnownFormula(state, holders.Hold(formula_name, *document_name), formula_name)) continue;
    const UserProperty* property = user_properties.Find(row[0]);
    if (!MayLink(state, row, property, known.items)) continue;
    if (!relations) {
      relations =
          Recorded(state,
                   own.relations() && !known.document_root ? own.relations()
                                                           : ObjectMember(owner, "Relations"),
                   ItemKind::kFormula);
    }
    CreateFormula(*relations, formula_name, property);
    if (MayChange(state)) holders.Created(formula_name, *document_name);
  }
}

}  // namespace

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

    if (document.IsProductDocument()) {
      ProductFormulas(state, owner, document, rows, user_properties, known);
    } else {
      PartFormulas(state, part, rows, user_properties, known);
    }
    DefinitionInHand(state, "");
  });
}

}  // namespace kelvort
