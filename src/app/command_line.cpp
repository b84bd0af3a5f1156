// The program's command line.
#include "app/command_line.h"

#include <algorithm>
#include <string_view>
#include <variant>

#include "report/report_format.h"

namespace kelvort {
namespace {

// One option: a switch sets a flag, an option with a value fills a text.
struct Option {
  std::string_view name;
  std::variant<bool CommandLine::*, std::string CommandLine::*> target;
  std::string_view value_name;  // empty for a switch
  std::string_view help;
};

constexpr Option kOptions[] = {
    {"--report", &CommandLine::report, "FILE",
     "write what the run added, node by node, to FILE (.csv or .html); with --check, "
     "the findings (.html, or text)"},
    {"--dry-run", &CommandLine::dry_run, "",
     "change nothing: go through the run and only record what it would add"},
    {"--check", &CommandLine::check, "",
     "check the settings, lang.xml and CATIA, report what is wrong, change nothing"},
    {"--console", &CommandLine::console, "",
     "show the message boxes on standard output, no window"},
    {"--settings", &CommandLine::settings, "",
     "show the settings dialog (language) instead of a run; Windows only"},
    {"--window", &CommandLine::window, "",
     "show the main window with its menus until it is closed; Windows only"},
    {"--help", &CommandLine::help, "", "show this text and end"},
};

const Option* FindOption(std::string_view name) {
  for (const Option& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
  CommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const Option* option = FindOption(args[i]);
    if (option == nullptr) {
      error = "unknown option: " + args[i];
      return std::nullopt;
    }
    if (const auto* const flag = std::get_if<bool CommandLine::*>(&option->target)) {
      line.** flag = true;
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      error = std::string(option->name) + " needs " + std::string(option->value_name);
      return std::nullopt;
    }
    line.*std::get<std::string CommandLine::*>(option->target) = args[++i];
  }
  if ((line.settings || line.window) &&
      (line.settings == line.window || line.dry_run || !line.report.empty())) {
    error = "--settings and --window show a window instead of a run: give one of them alone";
    return std::nullopt;
  }
  if (line.check && (line.dry_run || line.settings || line.window)) {
    error = "--check checks instead of a run: give it alone, or with --report and --console";
    return std::nullopt;
  }
  if (!line.report.empty() && !line.check && !ReportFormatOf(line.report)) {
    error = "the report file must end in .csv or .html: " + line.report;
    return std::nullopt;
  }
  return line;
}

std::string UsageText() {
  std::string text =
      "Usage: kelvort [options]\n\n"
      "Adds the parameters defined in Settings.xml to the document active in CATIA.\n\n"
      "Options:\n";
  for (const Option& option : kOptions) {
    std::string left = "  " + std::string(option.name);
    if (!option.value_name.empty()) left += " " + std::string(option.value_name);
    left.resize(std::max<size_t>(left.size() + 2, 20), ' ');
    text += left + std::string(option.help) + "\n";
  }
  text +=
      "\nExit status: 0 success, 1 stopped early, 2 errors were reported or the command "
      "line is wrong.\n";
  return text;
}

}  // namespace kelvort
