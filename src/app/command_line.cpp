// The program's command line: no arguments for the run, and the options that add to it.
#include "app/command_line.h"

namespace kelvort {

std::optional<CommandLine> ParseCommandLine(std::span<const char* const> arguments) {
  CommandLine command_line;
  for (const char* argument : arguments) {
    if (std::string_view(argument) != "--console") return std::nullopt;
    command_line.console = true;
  }
  return command_line;
}

}  // namespace kelvort
