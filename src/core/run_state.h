// The state of one run: the shared variables of the program's procedures, the platform
// services and a pointer to the forms, in one object that every procedure receives.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/variant.h"
#include "platform/platform.h"

namespace kelvort {

// Where the settings come from, by the numbers stored files and the log know: the shared
// file alone and read-only, the per-user file, or the per-user file overlaid by the shared.
enum class SettingsSource : uint8_t { kShared = 0, kPerUser = 1, kPerUserOverlaid = 2 };

class FormCollection;
class RunControl;
class RunRecorder;

// One parameter definition: column 0 Name, 1 Type, 2 Default.
using ParameterRow = std::array<std::string, 3>;
// The definition table; empty (no value) until it has been dimensioned.
using ParameterTable = std::optional<std::vector<ParameterRow>>;

struct RunState {
  explicit RunState(Platform& platform_services) : platform(platform_services) {}
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;

  Platform& platform;

  // Set by LogError, cleared at the start of each user action.
  bool ErrorOccurred = false;
  // Every failure reported through LogError during the run; never reset. The final
  // message and the exit status are decided from it.
  int FailureCount = 0;
  // The entries LogError wrote to Error.log during the run.
  int ErrorLogEntries = 0;
  // The definitions whose formula the run left out because it would have changed or broken
  // what a user property holds. Not failures: the closing message counts them.
  int UnlinkedDefinitions = 0;

  // While the walk runs only its first failure shows a box: a fault in every part would
  // otherwise ask for a click a part. The later ones are counted, logged and recorded.
  bool WalkRunning = false;
  bool WalkFailureShown = false;
  int FailureBoxesHeld = 0;
  // The fixed box of a product without user properties is shown once a run.
  bool NoUserPropertiesShown = false;
  // A host call was given up at the user's stop while CATIA did not answer: the run ends
  // as a stopped run, without calling CATIA again.
  bool HostAbandoned = false;

  SettingsSource SettingsMode = SettingsSource::kShared;
  // Folder of the Settings.xml in use, without a trailing backslash.
  std::string SettingsPath;
  // Folder of Error.log; empty until the settings have been read.
  std::string ErrorLogPath;

  // The attached CATIA application; null until session detection attaches.
  DispatchPtr CatiaApp;
  // The value of CATIA's RefreshDisplay that the run switched off after attaching, to be
  // given back at its end; none while the run has not changed it.
  std::optional<bool> RefreshDisplayBefore;
  ParameterTable ParameterDefs;

  // What the run adds, for its report and its dry run; null when neither is asked for.
  RunRecorder* recorder = nullptr;

  // The single run, the stop and the progress (core/run_control.h); null without them.
  RunControl* control = nullptr;

  // The program's forms (forms/toolkit/form_collection.h). Their owner, a Forms built
  // beside this state (forms/forms.h), points here for its lifetime; the state outlives
  // it. Null while the run has no forms.
  FormCollection* forms = nullptr;
};

}  // namespace kelvort
