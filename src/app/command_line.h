// The program's command line: no arguments for the run, and the options that add to it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kelvort {

struct CommandLine {
  // Message boxes on standard output in the terminal format, no window.
  bool console = false;
};

inline constexpr std::string_view kUsage =
    "Usage: kelvort [--console]\n"
    "  Adds the configured user parameters to the active document of the running CATIA.\n"
    "  --console  show the message boxes on standard output, no window\n";

// The options after the program's name; none for an unknown option or any other argument.
std::optional<CommandLine> ParseCommandLine(std::span<const char* const> arguments);

}  // namespace kelvort
