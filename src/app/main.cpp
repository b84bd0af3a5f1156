// The program's entry point: one run against the running CATIA, then the process ends.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/process_run_control.h"
#include "app/run.h"
#include "app/run_report.h"
#include "forms/forms.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (!arguments.empty()) kelvort::AttachToTerminal();
  // The usage goes to standard error: standard output carries only the message boxes.
  std::string error;
  const auto options = kelvort::ParseCommandLine(arguments, error);
  if (!options) {
    // A wrong command line never starts a run.
    std::cerr << "kelvort: " << error << "\n\n" << kelvort::UsageText();
    return kelvort::kExitFailureReported;
  }
  if (options->help) {
    std::cerr << kelvort::UsageText();
    return kelvort::kExitSuccess;
  }
  const auto native = kelvort::CreateNativePlatform(argc > 0 ? argv[0] : nullptr, options->console);
  kelvort::RunState state(native->platform());
  kelvort::ProcessRunControl control(options->console);
  state.control = &control;
  kelvort::Forms forms(state);
  return kelvort::RunWithOptions(state, *options);
}
