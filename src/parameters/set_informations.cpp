// The walk over the active document's structure.
#include "parameters/set_informations.h"

#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/fill_part.h"
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
    application.Call("StartWorkbench", {"Assembly"});
  }
  application.Call("StartWorkbench", {"PrtCfg"});
}

}  // namespace

void SetInformations(RunState& state, const DispatchPtr& product, const DispatchPtr& part,
                     const DispatchPtr& selection) {
  Procedure(state, "SetInformations", Gate::kNone, [&] {
    DispatchPtr handled = product;
    if (!handled) {
      const DispatchPtr document = ObjectMember(part, "Parent");
      Fill_Part(state, ObjectMember(part, "Parameters"), true, document);
      handled = ObjectMember(document, "Product");
      Fill_Part(state, ObjectMember(handled, "UserRefProperties"), false, document);
    } else {
      const DispatchPtr reference = ObjectMember(handled, "ReferenceProduct");
      const DispatchPtr document = ObjectMember(reference, "Parent");
      Fill_Part(state, ObjectMember(reference, "Parameters"), true, document);
      Fill_Part(state, ObjectMember(reference, "UserRefProperties"), false, document);
    }
    Set_Formulas(state, handled, part);

    const DispatchPtr children = ObjectMember(handled, "Products");
    const int16_t count = Deref(children).Get("Count").ToInteger();
    for (int16_t i = 1; i <= count; ++i) {
      const DispatchPtr child = children->Call("Item", {i}).ToObject();
      const DispatchPtr child_document =
          ObjectMember(ObjectMember(child, "ReferenceProduct"), "Parent");
      if (Deref(child_document).TypeName() == "ProductDocument") {
        SetInformations(state, child, nullptr, selection);
        continue;
      }
      const DispatchPtr child_part = ObjectMember(child_document, "Part");
      EnterPartDesign(state, child_part, selection);
      SetInformations(state, nullptr, child_part, selection);
      child_part->Call("Update");
    }
  });
}

}  // namespace kelvort
