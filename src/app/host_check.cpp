// The host part of kelvort --check.
#include "app/host_check.h"

#include <algorithm>
#include <functional>

#include "app/check_text.h"
#include "app/session.h"
#include "host/late_binding.h"
#include "lang/language.h"
#include "log/procedure.h"
#include "parameters/formula_holders.h"

namespace kelvort {
namespace {

constexpr const char* kProbe = "KelvortCheck";
constexpr const char* kProbeFormula = "Form_KelvortCheck";

// Tries one behaviour after another; each is met or named with what the host did instead.
class HostProbe {
 public:
  HostProbe(RunState& state, CheckFindings& findings) : state_(state), findings_(findings) {}

  // answer() gives what the host did; the run takes any of the accepted answers.
  void Expect(const std::string& behaviour, const std::vector<std::string>& accepted,
              const std::function<std::string()>& answer) {
    std::string got;
    try {
      got = answer();
    } catch (const RunError& error) {
      got = error.description();
    }
    if (std::find(accepted.begin(), accepted.end(), got) != accepted.end()) {
      met_.push_back(
          FilledText(state_, "CheckHostMet", {got.empty() ? behaviour : behaviour + " = " + got}));
      return;
    }
    std::string expected;
    for (const std::string& text : accepted) expected += (expected.empty() ? "" : " | ") + text;
    findings_.push_back({"CATIA", 0, "CheckHostDiffers", {behaviour, expected, got}});
  }
  std::vector<std::string> met() && { return std::move(met_); }
  RunState& state() { return state_; }
  const DispatchPtr& application() const { return state_.CatiaApp; }

 private:
  RunState& state_;
  CheckFindings& findings_;
  std::vector<std::string> met_;
};

std::string NameOf(const Variant& object) {
  return TextMember(object.ToObject(), "Name");
}

// The behaviours of a part document: its parameters named "<part>\<name>" and found by the
// short name, and a list of permitted values keeping the value held.
void ProbePart(HostProbe& probe, const DispatchPtr& document) {
  probe.Expect("Documents.Add(\"Part\") TypeName", {"PartDocument"},
               [&] { return document->TypeName(); });
  const DispatchPtr part = ObjectMember(document, "Part");
  const DispatchPtr parameters = ObjectMember(part, "Parameters");
  DispatchPtr parameter;
  const std::string part_name = TextMember(part, "Name");
  probe.Expect("Parameters.CreateString Name", {part_name + "\\" + kProbe}, [&] {
    parameter = parameters->Call("CreateString", {kProbe, "A"}).ToObject();
    return TextMember(parameter, "Name");
  });
  probe.Expect("Parameters.Item(short name)", {part_name + "\\" + kProbe},
               [&] { return NameOf(parameters->Call("Item", {kProbe})); });
  probe.Expect("SetEnumerateValues keeps the value", {"A"}, [&] {
    Deref(parameter).Call("SetEnumerateValues", {Variant(Variant::Array{"B", "A"})});
    return parameter->Get("Value").ToText();
  });
}

// The behaviours of a product document: parameters found by "<product>\<name>", user
// properties named "<part number>\Properties\<name>", the formula, its parents, the search.
void ProbeProduct(HostProbe& probe, const DispatchPtr& document) {
  probe.Expect("Documents.Add(\"Product\") TypeName", {"ProductDocument"},
               [&] { return document->TypeName(); });
  const DispatchPtr product = ObjectMember(document, "Product");
  const std::string key = TextMember(product, "Name") + "\\" + kProbe;
  probe.Expect("Parameters.Item(\"<product>\\<name>\")", {key}, [&] {
    const DispatchPtr parameters = ObjectMember(product, "Parameters");
    parameters->Call("CreateString", {kProbe, "A"});
    return NameOf(parameters->Call("Item", {key}));
  });
  const DispatchPtr reference = ObjectMember(product, "ReferenceProduct");
  DispatchPtr property;
  const std::string part_number = TextMember(reference, "PartNumber");
  // The middle word is the host language's: either one the run knows.
  probe.Expect(
      "UserRefProperties.CreateString Name",
      {part_number + "\\Properties\\" + kProbe, part_number + "\\Eigenschaften\\" + kProbe}, [&] {
        property = ObjectMember(reference, "UserRefProperties")
                       ->Call("CreateString", {kProbe, "A"})
                       .ToObject();
        return TextMember(property, "Name");
      });
  DispatchPtr formula;
  probe.Expect("Relations.CreateFormula Name", {kProbeFormula}, [&] {
    formula = ObjectMember(reference, "Relations")
                  ->Call("CreateFormula", {kProbeFormula, "", Variant(property), kProbe})
                  .ToObject();
    return TextMember(formula, "Name");
  });
  // The run writes the parameter's short name as the formula's body.
  probe.Expect("Parameters.GetNameToUseInRelation", {kProbe}, [&] {
    const DispatchPtr parameters = ObjectMember(product, "Parameters");
    return parameters->Call("GetNameToUseInRelation", {parameters->Call("Item", {key})}).ToText();
  });
  const std::string full_name = TextMember(document, "FullName");
  probe.Expect("Formula Parent.Parent.Parent FullName", {full_name}, [&] {
    return TextMember(
        ObjectMember(ObjectMember(ObjectMember(formula, "Parent"), "Parent"), "Parent"),
        "FullName");
  });
  // The run's own search: through the active document's selection, read with Count2/Item2.
  probe.Expect("ActiveDocument.Selection.Search(\"" + FormulaSearchQuery(kProbeFormula) +
                   "\") Count2, Item2",
               {"found"}, [&] {
                 FormulaHolders holders(ObjectMember(
                     ObjectMember(probe.application(), "ActiveDocument"), "Selection"));
                 return holders.Hold(kProbeFormula, full_name) ? "found" : "nothing found";
               });
  probe.Expect("Product.ApplyWorkMode(2)", {""}, [&] {
    product->Call("ApplyWorkMode", {2});
    return std::string();
  });
}

// Closes the scratch documents without saving, with the file alerts off only around the
// close, and makes the user's document active again.
void CloseScratch(HostProbe& probe, const DispatchPtr& application,
                  const std::vector<DispatchPtr>& scratch, const DispatchPtr& users,
                  const std::string& refresh_before) {
  probe.Expect("Document.Close", {""}, [&] {
    const Variant alerts = application->Get("DisplayFileAlerts");
    application->Put("DisplayFileAlerts", false);
    std::string failure;
    for (const DispatchPtr& document : scratch) {
      try {
        document->Call("Close");
      } catch (const RunError& error) {
        failure = error.description();
      }
    }
    application->Put("DisplayFileAlerts", alerts);
    return failure;
  });
  probe.Expect("Application.RefreshDisplay given back", {refresh_before}, [&] {
    RestoreRefreshDisplay(probe.state());
    return application->Get("RefreshDisplay").ToText();
  });
  if (!users) return;
  probe.Expect("Document.Activate", {TextMember(users, "Name")}, [&] {
    users->Call("Activate");
    return TextMember(ObjectMember(application, "ActiveDocument"), "Name");
  });
}

}  // namespace

std::vector<std::string> CheckHost(RunState& state, CheckFindings& findings) {
  if (Check4RunningCATIA(state) != SessionCheck::kOne)
    return {GetRightLangText(state, "CheckHostNotChecked")};
  HostProbe probe(state, findings);
  const DispatchPtr& application = state.CatiaApp;
  DispatchPtr users;
  IgnoringErrors([&] { users = application->Get("ActiveDocument").ToObjectOrNull(); });
  // The attach read RefreshDisplay and switched it off for the run, as a run does.
  const std::string refresh_before =
      state.RefreshDisplayBefore ? Variant(*state.RefreshDisplayBefore).ToText() : "";
  probe.Expect("Application.RefreshDisplay = False", {"False"},
               [&] { return application->Get("RefreshDisplay").ToText(); });
  // The run's progress goes to the status bar, whose text it gives back at the end.
  probe.Expect("Application.StatusBar written and read back", {kProbe}, [&] {
    const Variant before = application->Get("StatusBar");
    application->Put("StatusBar", kProbe);
    const std::string shown = application->Get("StatusBar").ToText();
    application->Put("StatusBar", before);
    return shown;
  });
  std::vector<DispatchPtr> scratch;
  probe.Expect("Documents.Add(\"Part\"), Documents.Add(\"Product\")", {""}, [&] {
    const DispatchPtr documents = ObjectMember(application, "Documents");
    scratch.push_back(documents->Call("Add", {"Part"}).ToObject());
    ProbePart(probe, scratch.back());
    scratch.push_back(documents->Call("Add", {"Product"}).ToObject());
    ProbeProduct(probe, scratch.back());
    return std::string();
  });
  CloseScratch(probe, application, scratch, users, refresh_before);
  return std::move(probe).met();
}

}  // namespace kelvort
