// The run's walk as the benchmarks measure it: one run of SetParameterName and
// SetInformations against an application, its wall and processor time and host calls, and
// the targets and the printing the benchmarks share.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#ifdef _WIN32
#include "platform/windows/win32.h"
#endif
#include <stdexcept>
#include <string>
#include <vector>

#include "app/process_run_control.h"
#include "counting_dispatch.h"
#include "forms/forms.h"
#include "host/late_binding.h"
#include "parameters/set_informations.h"
#include "parameters/set_parameter_name.h"

namespace kelvort::bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double Median(std::vector<float> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

struct Figures {
  double seconds = 0;
  double cpu_seconds = 0;  // the benchmark process's processor time
  long long calls = 0;
  long long workbench_starts = 0, updates = 0, creates = 0;  // of the calls
  long long status_bar = 0;      // of the calls, the progress in the status bar
  double median_us = 0;          // the median duration of the run's host calls
  double in_calls_s = 0;         // the time spent inside host calls
  long long releases = 0;        // releases of a host object's last reference, when timed
  double release_median_us = 0;  // the median release
  double in_releases_s = 0;      // the time they took
  double own_work_s() const { return seconds - in_calls_s - in_releases_s; }
};

// The processor time of this process so far, in seconds.
inline double ProcessorSeconds() {
#ifdef _WIN32
  // Windows's clock() counts wall time.
  FILETIME created, ended, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
  const auto seconds = [](const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
#else
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

// One run of the walk against the application: the definitions read from the settings
// folder, then the structure walked from the active document's root product with the
// progress in the status bar, as the program shows it.
inline Figures Walk(Platform& platform, const DispatchPtr& application, CallLog& log,
                    const std::string& settings_folder) {
  RunState state(platform);
  Forms forms{state};
  state.SettingsPath = settings_folder;
  log.Reset();
  const Clock::time_point start = Clock::now();
  const double cpu_start = ProcessorSeconds();
  state.CatiaApp = CountingDispatch::Wrap(application, log);
  const DispatchPtr document = ObjectMember(state.CatiaApp, "ActiveDocument");
  const DispatchPtr root = ObjectMember(document, "Product");
  const DispatchPtr selection = ObjectMember(document, "Selection");
  if (SetParameterName(state) != DefinitionResult::kAccepted || !state.ParameterDefs) {
    throw std::runtime_error("the definitions were not accepted");
  }
  ProcessRunControl progress(false);
  state.control = &progress;
  progress.WalkBegins(state);
  SetInformations(state, root, nullptr, selection);
  progress.WalkEnded(state);
  Figures figures;
  figures.seconds = SecondsSince(start);
  figures.cpu_seconds = ProcessorSeconds() - cpu_start;
  if (state.FailureCount != 0) throw std::runtime_error("the walk reported failures");
  figures.calls = log.calls;
  figures.workbench_starts = log.workbench_starts;
  figures.updates = log.updates;
  figures.creates = log.creates;
  figures.status_bar = log.status_bar;
  figures.median_us = Median(log.durations);
  for (float took : log.durations) figures.in_calls_s += took / 1e6;
  figures.releases = static_cast<long long>(log.releases.size());
  figures.release_median_us = Median(log.releases);
  for (float took : log.releases) figures.in_releases_s += took / 1e6;
  return figures;
}

struct Targets {
  bool met = true;
  void Check(bool ok, const std::string& what) {
    std::printf("  %-6s %s\n", ok ? "met" : "MISSED", what.c_str());
    met = met && ok;
  }
};

// A run through a server takes little more than its round trips: its wall time within
// 1.25 x (calls x the median call + releases x the median release). A release is a round
// trip of its own through COM, and next to nothing through the Linux server.
inline void CheckWithinCallTime(Targets& targets, int parts, int run, const Figures& served) {
  const double round_trips = (static_cast<double>(served.calls) * served.median_us +
                              static_cast<double>(served.releases) * served.release_median_us) /
                             1e6;
  char what[300];
  std::snprintf(what, sizeof what,
                "server, %d parts, run %d: %.3f s within 1.25 x (%lld calls x %.1f us + %lld "
                "releases x %.1f us) = %.3f s",
                parts, run + 1, served.seconds, served.calls, served.median_us, served.releases,
                served.release_median_us, 1.25 * round_trips);
  targets.Check(served.seconds <= 1.25 * round_trips, what);
}

// per: the parts (or the placements, named by unit) the calls are divided by.
inline void PrintRun(const char* mode, int run, const Figures& figures, int per,
                     const char* unit = "part") {
  std::printf("  %-10s run %d  %8.3f s (cpu %6.3f s)  %8lld calls  %6.1f calls/%s", mode, run,
              figures.seconds, figures.cpu_seconds, figures.calls,
              static_cast<double>(figures.calls) / per, unit);
  if (figures.median_us > 0) {
    std::printf(
        "  median %5.1f us  in calls %7.3f s  own work %6.3f s  wall / (calls x median) %.2f",
        figures.median_us, figures.in_calls_s, figures.own_work_s(),
        figures.seconds / (static_cast<double>(figures.calls) * figures.median_us / 1e6));
  }
  std::printf("\n");
  if (figures.releases > 0) {
    std::printf("             %lld releases of a host object's last reference: %.3f s\n",
                figures.releases, figures.in_releases_s);
  }
}

}  // namespace kelvort::bench
