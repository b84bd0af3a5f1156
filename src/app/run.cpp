// The program's one run.
#include "app/run.h"

#include <optional>

#include "app/closing_message.h"
#include "app/session.h"
#include "core/run_control.h"
#include "form_state/form_state.h"
#include "forms/forms.h"
#include "forms/frm_main.h"
#include "forms/frm_settings.h"
#include "host/late_binding.h"
#include "lang/language.h"
#include "log/error_log.h"
#include "log/procedure.h"
#include "parameters/recording.h"
#include "parameters/set_informations.h"
#include "parameters/set_parameter_name.h"
#include "report/run_record.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

void ShowAbort(RunState& state, std::string_view text_key) {
  state.platform.message_boxes.Show(BoxText(state, text_key), BoxText(state, "Abort"));
}

// The main window as the run uses it: the holder of the menu Tags and the caption.
void PrepareMainWindow(RunState& state) {
  FrmMain& main_window = FormsOf(state).frmMain();
  main_window.AssignMenuTags();
  main_window.SetCaption(WindowCaption());
}

// Updates what the walk changed: the part, or the root product in the assembly workbench.
void UpdateDocument(RunState& state, const DispatchPtr& root_product, const DispatchPtr& root_part,
                    const DispatchPtr& selection) {
  if (!root_product) {
    if (MayChange(state)) Deref(root_part).Call("Update");
    return;
  }
  Dispatch& chosen = Deref(selection);
  chosen.Call("Clear");
  chosen.Call("Add", {Variant(root_product)});
  Dispatch& application = Deref(state.CatiaApp);
  if (application.Call("GetWorkbenchId").ToText() != "Assembly" && MayChange(state)) {
    application.Call("StartWorkbench", {"Assembly"});
  }
  if (MayChange(state)) root_product->Call("Update");
}

// Runs a step of the run's end that calls CATIA, unless a call was given up at the user's
// stop: CATIA did not answer then, and a call given up now ends the step the same way.
template <typename Step>
void UnlessHostAbandoned(RunState& state, Step&& step) {
  if (state.HostAbandoned) return;
  try {
    step();
  } catch (const RunError& error) {
    if (error.number() != errors::kHostCallAbandoned) throw;
    LogError(state, "Main", error);
  }
}

// Puts a product document's assembly in design mode, so that a session that works with a
// cache has loaded the document of every component before the walk reads them. A dry run
// does it too: it loads, it changes no document. A failure is answered, not reported.
std::optional<RunError> LoadAssembly(RunState& state, const DispatchPtr& root_product) {
  constexpr int32_t kDesignMode = 2;
  try {
    root_product->Call("ApplyWorkMode", {kDesignMode});
  } catch (const RunError& failure) {
    return failure;
  }
  if (state.recorder) state.recorder->AssemblyLoaded();
  return std::nullopt;
}

}  // namespace

int Main(RunState& state, const std::function<bool()>& ready_to_change) {
  // The closing message tells what was added: without a record asked for, the run keeps
  // one of its own.
  RunRecorder own_record(false);
  RunRecorder& record = state.recorder ? *state.recorder : own_record;
  state.recorder = &record;
  bool completed = false;
  Procedure(state, "Main", Gate::kNone, [&] {
    GetGlobalSettings(state);
    PrepareMainWindow(state);
    state.ErrorOccurred = false;
    ReadSettings(state, FormsOf(state).frmSettings());
    SetLanguage(state, FormsOf(state).frmSettings());

    // A second run of the same user would work on the same documents at the same time.
    if (state.control && !state.control->ClaimSingleRun(state)) {
      ShowAbort(state, "AlreadyRunning");
      return;
    }
    if (Check4RunningCATIA(state) != SessionCheck::kOne) {
      ShowAbort(state, "ThereisnotexactlyoneCATIAopened");
      return;
    }
    if (ObjectMember(state.CatiaApp, "Documents")->Get("Count").ToLong() == 0) {
      ShowAbort(state, "NodocumentloadedinCATIA");
      return;
    }
    const DispatchPtr document = ObjectMember(state.CatiaApp, "ActiveDocument");
    const std::string document_type = document->TypeName();
    if (document_type != "ProductDocument" && document_type != "PartDocument") {
      ShowAbort(state, "Theactivedocumentisneitherproductnorpart");
      return;
    }
    DispatchPtr root_product;
    DispatchPtr root_part;
    if (document_type == "ProductDocument") {
      root_product = ObjectMember(document, "Product");
    } else {
      root_part = ObjectMember(document, "Part");
    }

    // A definition that was rejected, or that could not be read at all, stops the run
    // before any document is touched. A settings file that could not be read is what
    // --check explains: the closing message points there.
    const int failures_before = state.FailureCount;
    if (SetParameterName(state) == DefinitionResult::kRejected) return;
    if (state.FailureCount != failures_before) {
      state.ErrorOccurred = false;
      state.platform.message_boxes.Show(BoxText(state, "SettingsFailedRunCheck"), kProductName);
      return;
    }
    if (ready_to_change && !ready_to_change()) return;

    const DispatchPtr selection = ObjectMember(document, "Selection");
    // The design mode's failure is reported only when the walk fails too: it may be why.
    const std::optional<RunError> unloaded =
        root_product ? LoadAssembly(state, root_product) : std::nullopt;
    const int failures_before_walk = state.FailureCount;
    record.WalkBegins();
    if (state.control) state.control->WalkBegins(state);
    state.WalkRunning = true;
    SetInformations(state, root_product, root_part, selection);
    state.WalkRunning = false;
    if (state.control) state.control->WalkEnded(state);
    if (unloaded && state.FailureCount > failures_before_walk) LogError(state, "Main", *unloaded);
    UnlessHostAbandoned(state, [&] { UpdateDocument(state, root_product, root_part, selection); });
    RestoreRefreshDisplay(state);  // before the closing message, which the user reads
    ShowClosingMessage(state, record, LastRunFile(state));
    completed = true;
  });
  state.WalkRunning = false;
  RestoreRefreshDisplay(state);  // after a stop or an error too
  record.Ended(completed);
  if (state.recorder == &own_record) state.recorder = nullptr;
  FormsOf(state).Unload(FormId::kMain);
  if (state.FailureCount > 0) return kExitFailureReported;
  return completed && !record.stopped() ? kExitSuccess : kExitStoppedEarly;
}

}  // namespace kelvort
