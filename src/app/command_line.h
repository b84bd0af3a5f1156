// The program's command line: without arguments one plain run; options only add to it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvort {

struct CommandLine {
  // The report file (--report FILE), empty when none is asked for.
  std::string report;
  // Go through the run's decisions but change nothing (--dry-run).
  bool dry_run = false;
  // Message boxes on standard output in the terminal format, no window (--console).
  bool console = false;
  // Show the settings dialog instead of a run (--settings).
  bool settings = false;
  // Show the main window with its menus until it is closed, instead of a run (--window).
  bool window = false;
  // Check the settings, lang.xml and the running CATIA instead of a run (--check).
  bool check = false;
  // Show the usage text and end (--help).
  bool help = false;
};

// The options of the arguments after the program's name, or nothing with the reason in
// error for an unknown option, a missing value or a report file of unknown kind.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error);

// The options and what they do, for the usage message.
std::string UsageText();

}  // namespace kelvort
