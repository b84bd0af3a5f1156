// The command line of CNEXT.exe.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kelvort::standin {

struct CommandLine {
  bool help = false;
  bool german = false;
  bool cache_mode = false;
  std::string journal;  // empty: no journal file
  std::vector<std::pair<std::string, int>> faults;
  bool no_document = false;
  bool idle = false;
  bool quit = false;
  bool print = false;
  std::vector<std::string> files;
};

// The options explained, for --help.
std::string UsageText();

// Reads the arguments after the program's name; error receives what is wrong when the
// command line is refused.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error);

}  // namespace kelvort::standin
