// The program's command line: what each option sets, and what is refused before any run.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

constexpr const char* kWindowsAlone =
    "--settings and --window show a window instead of a run: give one of them alone";

TEST(ProgramCommandLineTest, OptionsAreReadOrRefusedWithTheReason) {
  struct Case {
    std::vector<std::string> args;
    std::optional<std::string> report;  // none: refused
    bool dry_run = false;
    std::string error;
    bool console = false;
  };
  const Case cases[] = {
      {{}, "", false, ""},
      {{"--dry-run"}, "", true, ""},
      {{"--console", "--dry-run"}, "", true, "", true},
      {{"--Console"}, std::nullopt, false, "unknown option: --Console"},
      {{"--report", "out.HTML", "--dry-run"}, "out.HTML", true, ""},
      {{"--report", "/tmp/a b/run.csv"}, "/tmp/a b/run.csv", false, ""},
      {{"--report", "run.htm"}, "run.htm", false, ""},
      {{"--report"}, std::nullopt, false, "--report needs FILE"},
      {{"--report", ""}, std::nullopt, false, "--report needs FILE"},
      {{"--report", "run.txt"},
       std::nullopt,
       false,
       "the report file must end in .csv or .html: run.txt"},
      {{"--dryrun"}, std::nullopt, false, "unknown option: --dryrun"},
      {{"--settings", "--console"}, "", false, "", true},
      {{"--window", "--settings"}, std::nullopt, false, kWindowsAlone},
      {{"--window", "--dry-run"}, std::nullopt, false, kWindowsAlone},
      {{"--report", "run.csv", "--settings"}, std::nullopt, false, kWindowsAlone},
      // --check takes any report file; it checks instead of a run.
      {{"--check", "--report", "check.txt"}, "check.txt", false, ""},
      {{"--check", "--dry-run"},
       std::nullopt,
       false,
       "--check checks instead of a run: give it alone, or with --report and --console"},
      {{"Gearbox.CATProduct"}, std::nullopt, false, "unknown option: Gearbox.CATProduct"},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto line = ParseCommandLine(c.args, error);
    const std::string given = c.args.empty() ? "(none)" : c.args[0];
    ASSERT_EQ(line.has_value(), c.report.has_value()) << given << ": " << error;
    EXPECT_EQ(error, c.error) << given;
    if (!line) continue;
    EXPECT_EQ(line->report, *c.report) << given;
    EXPECT_EQ(line->dry_run, c.dry_run) << given;
    EXPECT_EQ(line->console, c.console) << given;
    EXPECT_EQ(line->settings, given == "--settings") << given;
    EXPECT_EQ(line->check, given == "--check") << given;
  }
  EXPECT_NE(UsageText().find("--report FILE"), std::string::npos);
}

}  // namespace
}  // namespace kelvort
