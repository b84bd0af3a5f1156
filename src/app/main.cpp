// The program's entry point: one run against the running CATIA, then the process ends.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/run.h"
#include "app/run_report.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  // The usage goes to standard error: standard output carries only the message boxes.
  std::string error;
  const auto options =
      kelvort::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "kelvort: " << error << "\n\n" << kelvort::UsageText();
    return kelvort::kExitFailureReported;
  }
  if (options->help) {
    std::cerr << kelvort::UsageText();
    return kelvort::kExitSuccess;
  }
  const auto native = kelvort::CreateNativePlatform(argv[0]);
  kelvort::RunState state(native->platform());
  return kelvort::RunWithOptions(state, *options);
}
