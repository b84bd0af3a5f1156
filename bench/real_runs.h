// The runs over a structure shaped like real assemblies (real_structure.h) as the benchmarks
// print and check them: host calls per placement and per distinct definition, workbench
// switches, updates and create calls, against what the structure's definitions may cost.
#pragma once

#include <cstdio>
#include <string>

#include "real_structure.h"
#include "run_walk.h"

namespace kelvort::bench {

// What one definition of each kind costs the first run: the host calls that one child of
// that kind adds to it, as the benchmarks measure them beforehand.
struct DefinitionCosts {
  long long part = 0, product = 0, component = 0;
};
// The most host calls a repeated placement may cost each run.
constexpr long long kRepeatedPlacement = 6;
// The most host calls a definition may cost the second run, on average.
constexpr long long kSecondRunDefinition = 80;
// The most the progress may write to the status bar a second.
constexpr double kProgressWritesASecond = 4;

inline void PrintShape(const RealShape& shape) {
  std::printf(
      "%d placements of %d distinct definitions (%d part documents, %d product documents, "
      "%d components), %d of them repeated:\n",
      shape.placements, shape.definitions(), shape.parts, shape.products, shape.components,
      shape.repeated());
}

inline void PrintRealRun(const char* mode, int run, const Figures& figures,
                         const RealShape& shape) {
  std::printf(
      "  %-10s run %d  %8.3f s  %9lld calls  %6.2f a placement  %6.1f a definition  "
      "StartWorkbench %lld  Update %lld  Create %lld  StatusBar %lld\n",
      mode, run, figures.seconds, figures.calls,
      static_cast<double>(figures.calls) / shape.placements,
      static_cast<double>(figures.calls) / shape.definitions(), figures.workbench_starts,
      figures.updates, figures.creates, figures.status_bar);
}

// The targets of both runs over a complete pass: the first costs at most its definitions'
// work and a few calls a repeated placement; the second switches no workbench, updates and
// creates nothing, and costs at most a few calls a repeated placement and 80 a definition.
inline void CheckRealRuns(Targets& targets, const char* mode, const RealShape& shape,
                          const DefinitionCosts& first_run, const Figures (&runs)[2]) {
  const long long repeated = kRepeatedPlacement * shape.repeated();
  const long long first_most = first_run.part * shape.parts + first_run.product * shape.products +
                               first_run.component * shape.components + repeated;
  const long long second_most = kSecondRunDefinition * shape.definitions() + repeated;
  char what[300];
  std::snprintf(what, sizeof what, "%s, %d placements, run 1: %lld host calls, at most %lld", mode,
                shape.placements, runs[0].calls, first_most);
  targets.Check(runs[0].calls <= first_most, what);
  std::snprintf(what, sizeof what, "%s, %d placements, run 2: %lld host calls, at most %lld", mode,
                shape.placements, runs[1].calls, second_most);
  targets.Check(runs[1].calls <= second_most, what);
  std::snprintf(what, sizeof what,
                "%s, %d placements, run 2: StartWorkbench %lld, Update %lld, Create %lld, all 0",
                mode, shape.placements, runs[1].workbench_starts, runs[1].updates, runs[1].creates);
  targets.Check(runs[1].workbench_starts == 0 && runs[1].updates == 0 && runs[1].creates == 0,
                what);
  // The progress: the status bar read and given back, and written a few times a second
  // (each write with a read of the node's name).
  for (int run = 0; run < 2; ++run) {
    const long long most =
        2 + 1 + static_cast<long long>(kProgressWritesASecond * runs[run].seconds);
    std::snprintf(what, sizeof what,
                  "%s, %d placements, run %d: StatusBar %lld calls in %.2f s, at most %lld", mode,
                  shape.placements, run + 1, runs[run].status_bar, runs[run].seconds, most);
    targets.Check(runs[run].status_bar <= most, what);
  }
}

}  // namespace kelvort::bench
