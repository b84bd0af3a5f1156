// The walk over the active document's structure.
#include "parameters/set_informations.h"

#include <map>
#include <string>

#include "core/run_control.h"
#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/fill_part.h"
#include "parameters/part_design.h"
#include "parameters/recording.h"
#include "parameters/set_formulas.h"

namespace kelvort {
namespace {

// What a parent has read of a child before visiting it: the child's reference product and
// the document that defines it, with its type and full name. None is asked of the host a
// second time. A component (a product defined inside its parent's document) also carries
// that document's root product; a part placed in an assembly, its part design on demand.
struct KnownChild {
  DispatchPtr reference;
  DefiningDocument document;
  std::string document_name;
  DispatchPtr document_root;
  const PartDesignOnDemand* design = nullptr;
};

// The walk's memory: the definitions handled without a reported failure, each with the
// path of the node that handled it (empty when nothing is recorded).
struct Walk {
  RunState& state;
  DispatchPtr selection;
  std::map<std::string, std::string> handled;
  FormulaHolders formulas;
};

// What tells definitions apart, decided from reads the walk makes of every placement anyway
// plus one: the full name of the defining document, which no two open documents share (a
// part or product document defines one reference, its root), and for a component, which
// shares its parent's document, also the part number of its reference product, which no
// two references of one document share. Empty, matching nothing, when a read fails or
// answers nothing (a component not loaded has no part number): that placement is handled.
std::string DefinitionKey(const KnownChild& known, const std::string& parent_document) {
  if (known.document_name.empty() || parent_document.empty()) return {};
  if (known.document_name != parent_document) return known.document_name;
  std::string part_number;
  IgnoringErrors([&] { part_number = TextMember(known.reference, "PartNumber"); });
  return part_number.empty() ? std::string() : known.document_name + '\n' + part_number;
}

std::string FullNameOf(const DispatchPtr& document) {
  std::string name;
  IgnoringErrors([&] { name = TextMember(document, "FullName"); });
  return name;
}

void Visit(Walk& walk, const DispatchPtr& product, const DispatchPtr& part,
           const KnownChild& known);

// A child placement: handled, unless an earlier placement of the same definition was
// handled without a reported failure; then it and its subtree are left as they are.
void VisitChild(Walk& walk, const DispatchPtr& child, const KnownChild& parent) {
  RunState& state = walk.state;
  const RecordedVisit visit(state, child, nullptr);
  KnownChild known;
  known.reference = ObjectMember(child, "ReferenceProduct");
  known.document = DefiningDocument(ObjectMember(known.reference, "Parent"));
  known.document_name = FullNameOf(known.document.object());
  const std::string key = DefinitionKey(known, parent.document_name);
  if (const auto found = walk.handled.find(key); found != walk.handled.end()) {
    RecordSameDefinition(state, found->second);
    return;
  }
  const int failures_before = state.FailureCount;
  if (known.document.IsProductDocument()) {
    // Only a component shares its parent's document.
    const bool component =
        !known.document_name.empty() && known.document_name == parent.document_name;
    if (component) known.document_root = parent.document_root;
    Visit(walk, child, nullptr, known);
  } else {
    const DispatchPtr child_part = ObjectMember(known.document.object(), "Part");
    const PartDesignOnDemand design(state, child_part, walk.selection);
    known.reference = nullptr;
    known.design = &design;
    Visit(walk, nullptr, design.part(), known);
    if (design.entered() && MayChange(state)) child_part->Call("Update");
  }
  if (!key.empty() && state.FailureCount == failures_before) {
    walk.handled.emplace(key, RecordedPath(state));
  }
}

void Visit(Walk& walk, const DispatchPtr& product, const DispatchPtr& part,
           const KnownChild& known) {
  RunState& state = walk.state;
  Procedure(state, "SetInformations", Gate::kNone, [&] {
    DispatchPtr handled = product;
    KnownDefinition definition;
    definition.document = known.document;
    definition.document_root = known.document_root;
    definition.formulas = &walk.formulas;
    const auto guarded = [&](const DispatchPtr& collection) {
      return known.design ? known.design->Guarded(collection) : collection;
    };
    DispatchPtr parameters;
    // The user properties are fetched before the parameters are filled: a new parameter
    // takes the value its user property already holds.
    if (!handled) {
      if (!definition.document.object())
        definition.document = DefiningDocument(ObjectMember(part, "Parent"));
      handled = ObjectMember(definition.document.object(), "Product");
      definition.properties = guarded(ObjectMember(handled, "UserRefProperties"));
      parameters = ObjectMember(part, "Parameters");
    } else {
      const DispatchPtr reference =
          known.reference ? known.reference : ObjectMember(handled, "ReferenceProduct");
      if (!definition.document.object())
        definition.document = DefiningDocument(ObjectMember(reference, "Parent"));
      definition.properties = ObjectMember(reference, "UserRefProperties");
      parameters = ObjectMember(reference, "Parameters");
    }
    // The name of the document: the parent has read it; the root reads it here.
    KnownChild self;
    self.document_name =
        known.document.object() ? known.document_name : FullNameOf(definition.document.object());
    VisitItems items(definition.properties);
    Fill_Part(state, parameters, true, definition.document, items);
    Fill_Part(state, definition.properties, false, definition.document, items);
    definition.items = &items;
    definition.document_name = self.document_name;
    Set_Formulas(state, handled, part, definition);

    // A part document's product places nothing: CATIA gives it no child products.
    if (!product) return;
    const DispatchPtr children = ObjectMember(handled, "Products");
    const int32_t count = Deref(children).Get("Count").ToLong();
    if (count == 0) return;
    // A product in a document of its own is that document's root; a component passes on
    // the root of the document it lies in.
    self.document_root = known.document_root ? known.document_root : handled;
    for (int32_t i = 1; i <= count; ++i) {
      const DispatchPtr child = children->Call("Item", {i}).ToObject();
      if (!WalkGoesOn(walk.state, child)) return;
      VisitChild(walk, child, self);
    }
  });
}

}  // namespace

void SetInformations(RunState& state, const DispatchPtr& product, const DispatchPtr& part,
                     const DispatchPtr& selection) {
  if (!WalkGoesOn(state, product ? product : part)) return;
  const RecordedVisit visit(state, product, part);
  Walk walk{state, selection, {}, FormulaHolders(selection)};
  Visit(walk, product, part, KnownChild{});
}

}  // namespace kelvort
