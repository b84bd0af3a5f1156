// kelvort --dry-run and --report end to end against CNEXT.exe: a dry run leaves every file
// as it was, calls nothing that changes a document, and foretells exactly what the real
// run then adds; failures are named at the node where they happened; a report that cannot
// be written is reported; a wrong command line runs nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <regex>

#include "bench/generated_structure.h"
#include "support/kelvort_run.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "support/wine_launch.h"

namespace kelvort {
namespace {

namespace fs = std::filesystem;
using testing::KelvortRun;

// The journal's lines that change a document.
std::vector<std::string> ChangingCalls(const fs::path& journal) {
  static const std::regex changing(
      R"(\.Create|SetEnumerateValues|\.Value = |StartWorkbench|\.Update\()");
  std::vector<std::string> calls;
  std::ifstream lines(journal);
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, changing)) calls.push_back(line);
  }
  return calls;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

std::string DryRunMessage(int items) {
  return "[Kelvort] Dry run: nothing has been changed. A run would add " + std::to_string(items) +
         " items (parameters, user properties and formulas).\n";
}

TEST(RunReportTest, ADryRunChangesNothingAndForetellsWhatTheRunAdds) {
  struct Case {
    const char* name;
    std::vector<std::string> host_options;
    bool generated;
  };
  const Case cases[] = {{"gearbox", {}, false},
                        {"gearbox, German host", {"--german"}, false},
                        {"generated structure", {}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KelvortRun run;
    const testing::TempDir out;
    fs::path folder = run.samples();
    std::string active = run.Sample("Gearbox.CATProduct");
    if (c.generated) {
      folder = out.path() / "generated";
      active = bench::WriteStructure(folder, 20).string();
      bench::WriteSettings(run.user_folder());
    }
    const auto before = testing::FilesBelow(folder);
    const auto journal = out.path() / "journal.txt";
    std::vector<std::string> host = c.host_options;
    host.insert(host.end(), {"--journal", journal.string(), active});

    const auto dry =
        run.RunAgainst(host, {"--dry-run", "--report", (out.path() / "dry.csv").string()});
    const std::string dry_csv = testing::ReadBytes(out.path() / "dry.csv");
    const int items = Count(dry_csv, "\r\n") - 1;
    EXPECT_GT(items, 100);
    // The closing box says what a run would add; the run then says it added the same.
    const std::string would_add = dry.out.substr(std::min(dry.out.size(), dry.out.find('\n') + 1));
    EXPECT_EQ(dry.out, DryRunMessage(items) + would_add);
    EXPECT_THAT(would_add, ::testing::StartsWith("  That is "));
    if (!c.generated) {
      EXPECT_EQ(would_add,
                "  That is 89 parameters, 96 user properties and 87 formulas in 10 "
                "products and parts.\n");
    }
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(testing::FilesBelow(folder), before);
    EXPECT_THAT(ChangingCalls(journal), ::testing::IsEmpty());
    EXPECT_EQ(Count(dry_csv, ",would add,"), items);

    const auto real = run.RunAgainst(host, {"--report", (out.path() / "real.csv").string()});
    EXPECT_EQ(real.out, "[Kelvort] The parameters have been created successfully.\n  Added:" +
                            would_add.substr(std::string("  That is").size()));
    EXPECT_EQ(real.status, 0);
    EXPECT_NE(testing::FilesBelow(folder), before);
    EXPECT_EQ(std::regex_replace(dry_csv, std::regex(",would add,"), ",added,"),
              testing::ReadBytes(out.path() / "real.csv"));
  }
}

// Each injected host fault appears once in the report, at the product or part where it
// struck: a refused formula inside the housing's own call, and a refused update of the
// housing, which ends the gearbox's walk but happened at the housing.
TEST(RunReportTest, AReportNamesEachFailureAtItsNode) {
  // A failure names the definition in hand when it struck: none during the update.
  const std::string housing = "GB-1000/Housing.1,Housing.CATPart,GB-1010,Failure,";
  const struct {
    const char* fault;
    std::string row;
  } cases[] = {
      {"CreateFormula:6",
       housing + "Quantity,,,,failed,Set_Formulas,-2147467259,The method CreateFormula failed"},
      {"Update:1", housing + ",,,,failed,SetInformations,-2147467259,The method Update failed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    const testing::TempDir out;
    const auto report = out.path() / "report.csv";
    const auto result = run.RunAgainst({"--fault", c.fault, run.Sample("Gearbox.CATProduct")},
                                       {"--report", report.string()});
    EXPECT_EQ(result.status, 2);
    const std::string csv = testing::ReadBytes(report);
    EXPECT_EQ(Count(csv, ",Failure,"), 1) << csv;
    EXPECT_THAT(csv, ::testing::HasSubstr("\r\n" + c.row + ",\r\n"));
  }
  // A fault in part after part: the first shows its box, the others only count, and
  // LastRun.html, written without --report, names each with its definition.
  KelvortRun run;
  run.WriteUserSettings(testing::kSampleParameters);
  std::vector<std::string> host;
  for (const char* nth : {"6", "12", "18", "24"})
    host.insert(host.end(), {"--fault", std::string("CreateFormula:") + nth});
  host.push_back(run.Sample("Gearbox.CATProduct"));
  const auto result = run.RunAgainst(host);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(Count(result.out, "[" + testing::ErrorBoxTitle() + "]"), 1) << result.out;
  EXPECT_THAT(result.out, ::testing::HasSubstr("\n  Errors reported: 4. Each one is described"));
  EXPECT_EQ(Count(testing::ReadBytes(run.user_folder() / "LastRun.html"), ", definition "), 4);
}

// A report that cannot be written (a file where its folder must be, a missing folder, a
// FIFO in its place) is found out before any document is touched and reported like any file
// failure, exit status 2; the FIFO stays one (that case on Linux only).
TEST(RunReportTest, AReportThatCannotBeWrittenStopsTheRunBeforeAnyChange) {
  const testing::TempDir out;
  testing::WriteBytes(out.path() / "file", "");
  std::vector<fs::path> reports = {out.path() / "file" / "report.html",
                                   out.path() / "missing" / "report.csv"};
  if (!testing::UnderWine()) {
    ASSERT_EQ(::mkfifo((out.path() / "fifo.csv").c_str(), 0600), 0);
    reports.push_back(out.path() / "fifo.csv");
  }
  for (const fs::path& report : reports) {
    SCOPED_TRACE(report);
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    const auto before = testing::FilesBelow(run.samples());
    const auto result =
        run.RunAgainst({run.Sample("Gearbox.CATProduct")}, {"--report", report.string()});
    EXPECT_THAT(result.out,
                ::testing::StartsWith("[" + testing::ErrorBoxTitle() + "] WriteRunReport  "));
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(run.ErrorLog(), ::testing::StartsWith("WriteRunReport\r\n\t"));
    EXPECT_EQ(testing::FilesBelow(run.samples()), before);
  }
  if (!testing::UnderWine()) {
    EXPECT_TRUE(fs::is_fifo(out.path() / "fifo.csv"));
  }
}

TEST(RunReportTest, AWrongCommandLineRunsNothing) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--bogus"}, {"--report"}, {"--report", "run.txt"}}) {
    KelvortRun run;
    const auto result = run.Run(args);
    EXPECT_EQ(result.status, 2) << args[0];
    EXPECT_EQ(result.out, "") << args[0];
    EXPECT_THAT(result.err, ::testing::HasSubstr("Usage: kelvort [options]")) << args[0];
  }
}

// Linux only: the Windows build under Wine shows the windows (its own tests drive them).
TEST(LinuxOptionsTest, TheWindowsOptionsSayTheyBelongToTheWindowsBuild) {
  for (const char* option : {"--settings", "--window"}) {
    KelvortRun run;
    const auto result = run.Run({option, "--console"});
    EXPECT_EQ(result.status, 1) << option;
    EXPECT_EQ(result.out,
              "[Aborted] The windows of Kelvort (--settings, --window) belong to its Windows "
              "build. Run kelvort.exe on Windows to see them.\n")
        << option;
  }
}

}  // namespace
}  // namespace kelvort
