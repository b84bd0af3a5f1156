// The walk over the active document's structure.
#include "parameters/set_informations.h"

#include "core/run_control.h"
#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/fill_part.h"
#include "parameters/recording.h"
#include "parameters/set_formulas.h"

namespace kelvort {
namespace {

// Makes the part the selected object and the workbench part design, as working on a part
// placed in an assembly needs.
void EnterPartDesign(RunState& state, const DispatchPtr& part, const DispatchPtr& selection) {
  Dispatch& chosen = Deref(selection);
  chosen.Call("Clear");
  chosen.Call("Add", {Variant(part)});
  Dispatch& application = Deref(state.CatiaApp);
  if (application.Call("GetWorkbenchId").ToText() != "Assembly") {
    if (MayChange(state)) application.Call("StartWorkbench", {"Assembly"});
  }
  if (MayChange(state)) application.Call("StartWorkbench", {"PrtCfg"});
}

// What a parent has read of a child before visiting it: the child's reference product and
// the document that defines it, with its type. None is asked of the host a second time.
struct KnownChild {
  DispatchPtr reference;
  DefiningDocument document;
};

void Visit(RunState& state, const DispatchPtr& product, const DispatchPtr& part,
           const DispatchPtr& selection, const KnownChild& known) {
  Procedure(state, "SetInformations", Gate::kNone, [&] {
    DispatchPtr handled = product;
    KnownDefinition definition{nullptr, known.document};
    if (!handled) {
      if (!definition.document.object())
        definition.document = DefiningDocument(ObjectMember(part, "Parent"));
      Fill_Part(state, ObjectMember(part, "Parameters"), true, definition.document);
      handled = ObjectMember(definition.document.object(), "Product");
      definition.properties = ObjectMember(handled, "UserRefProperties");
    } else {
      const DispatchPtr reference =
          known.reference ? known.reference : ObjectMember(handled, "ReferenceProduct");
      if (!definition.document.object())
        definition.document = DefiningDocument(ObjectMember(reference, "Parent"));
      Fill_Part(state, ObjectMember(reference, "Parameters"), true, definition.document);
      definition.properties = ObjectMember(reference, "UserRefProperties");
    }
    Fill_Part(state, definition.properties, false, definition.document);
    Set_Formulas(state, handled, part, definition);

    const DispatchPtr children = ObjectMember(handled, "Products");
    const int32_t count = Deref(children).Get("Count").ToLong();
    for (int32_t i = 1; i <= count; ++i) {
      const DispatchPtr child = children->Call("Item", {i}).ToObject();
      if (!WalkGoesOn(state, child)) return;
      const RecordedVisit visit(state, child, nullptr);
      KnownChild child_known;
      child_known.reference = ObjectMember(child, "ReferenceProduct");
      child_known.document = DefiningDocument(ObjectMember(child_known.reference, "Parent"));
      if (child_known.document.IsProductDocument()) {
        Visit(state, child, nullptr, selection, child_known);
        continue;
      }
      const DispatchPtr child_part = ObjectMember(child_known.document.object(), "Part");
      EnterPartDesign(state, child_part, selection);
      Visit(state, nullptr, child_part, selection, {nullptr, child_known.document});
      if (MayChange(state)) child_part->Call("Update");
    }
  });
}

}  // namespace

void SetInformations(RunState& state, const DispatchPtr& product, const DispatchPtr& part,
                     const DispatchPtr& selection) {
  if (!WalkGoesOn(state, product ? product : part)) return;
  const RecordedVisit visit(state, product, part);
  Visit(state, product, part, selection, KnownChild{});
}

}  // namespace kelvort
