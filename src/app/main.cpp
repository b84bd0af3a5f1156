// The program's entry point: one run against the running CATIA, then the process ends.
#include <cstdio>

#include "app/command_line.h"
#include "app/run.h"
#include "forms/forms.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0),
                                               argc > 1 ? static_cast<size_t>(argc - 1) : 0);
  if (!arguments.empty()) kelvort::AttachToTerminal();
  const auto command_line = kelvort::ParseCommandLine(arguments);
  if (!command_line) {
    // An unknown option never starts a run.
    std::fwrite(kelvort::kUsage.data(), 1, kelvort::kUsage.size(), stderr);
    return 2;
  }
  const auto native =
      kelvort::CreateNativePlatform(argc > 0 ? argv[0] : nullptr, command_line->console);
  kelvort::RunState state(native->platform());
  kelvort::Forms forms(state);
  return kelvort::Main(state);
}
