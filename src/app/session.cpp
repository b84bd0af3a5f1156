// Host session detection.
#include "app/session.h"

#include "host/dispatch.h"
#include "host/late_binding.h"
#include "log/procedure.h"
#include "util/run_error.h"

namespace kelvort {

SessionCheck Check4RunningCATIA(RunState& state) {
  return Procedure<SessionCheck>(
      state, "Check4RunningCATIA", Gate::kErrorOccurred, [&](SessionCheck& result) {
        ComServices& com = state.platform.com;
        const DispatchPtr wmi = com.GetObject(kWmiMoniker);
        if (!wmi) Raise(errors::kObjectVariableNotSet);
        const DispatchPtr processes =
            wmi->Call("ExecQuery", {Variant(std::string(kCatiaProcessQuery))}).ToObject();
        // Only the caller's own CATIA counts: on a shared machine another session's is
        // none the attach could reach.
        const int32_t listed = processes->Get("Count").ToLong();
        int32_t count = 0;
        for (int32_t i = 0; i < listed; ++i) {
          const int32_t id =
              processes->Call("ItemIndex", {Variant(i)}).ToObject()->Get("ProcessId").ToLong();
          if (state.platform.environment.InCurrentSession(static_cast<uint32_t>(id))) ++count;
        }
        if (count == 0) {
          result = SessionCheck::kNone;
          return;
        }
        result = count == 1 ? SessionCheck::kOne : SessionCheck::kSeveral;

        // From here on a failing step is skipped: a CATIA that cannot be reached only gives 0.
        IgnoringErrors([&] {
          if (DispatchPtr app = com.GetActiveObject(kCatiaProgId)) state.CatiaApp = std::move(app);
        });
        if (!state.CatiaApp) {
          result = SessionCheck::kNotChecked;
          return;
        }
        // While RefreshDisplay is True, CATIA redraws its display after every call: off for
        // the run, read first so that the run's end gives it back.
        IgnoringErrors([&] {
          const bool before = state.CatiaApp->Get("RefreshDisplay").ToBoolean();
          state.CatiaApp->Put("RefreshDisplay", false);
          state.RefreshDisplayBefore = before;
        });
      });
}

void RestoreRefreshDisplay(RunState& state) {
  if (!state.RefreshDisplayBefore) return;
  const bool before = *state.RefreshDisplayBefore;
  state.RefreshDisplayBefore.reset();
  IgnoringErrors([&] { Deref(state.CatiaApp).Put("RefreshDisplay", before); });
}

}  // namespace kelvort
