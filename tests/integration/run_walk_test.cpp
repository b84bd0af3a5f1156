// kelvort end to end over the sample gearbox: sub-assemblies inside and outside its file,
// parts placed several times, an English and a German host, a part document on its own, a
// second run, a host fault in the middle of the walk. The documents are checked as the
// stand-in writes them back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/kelvort_run.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using testing::Completed;
using testing::Holding;
using testing::Holdings;
using testing::KelvortRun;

constexpr const char* kSuccess = "[Kelvort] The parameters have been created successfully.\n";

// The cover once a run has filled it: new parameters take their type and default, existing
// ones keep theirs, and the update has driven the new user properties by their formulas.
constexpr const char* kCompletedCover =
    "PartDocument Cover.CATPart\n"
    "  Product GB-1020\n"
    "    User properties\n"
    "      Revision (String) = \"A\"\n"
    "      Material (String) = \"AlSi10Mg\"\n"
    "      WeightClass (String) = \"Medium\"  permitted: \"Light\", \"Medium\", \"Heavy\"\n"
    "      Quantity (Integer) = 2\n"
    "      Released (Boolean) = false\n"
    "    Part GB-1020\n"
    "      Parameters\n"
    "        Material (String) = \"AlSi10Mg\"\n"
    "        Revision (String) = \"A\"\n"
    "        WeightClass (String) = \"Medium\"  permitted: \"Light\", \"Medium\", \"Heavy\"\n"
    "        Quantity (Integer) = 2\n"
    "        Released (Boolean) = false\n"
    "      Formulas\n"
    "        Form_Revision: user property Revision = Revision\n"
    "        Form_Material: user property Material = Material\n"
    "        Form_WeightClass: user property WeightClass = WeightClass\n"
    "        Form_Quantity: user property Quantity = Quantity\n"
    "        Form_Released: user property Released = Released\n";

// The gearbox under an English and a German host (which names user properties
// <part number>\Eigenschaften\<name>; the formulas find them all the same), and the cover
// as the active document, filled on its own. The bolt placed four times and the bearing
// placed in both shaft assemblies hold each definition once; the drawing beside them is
// not part of the structure.
TEST(RunWalkTest, TheWholeStructureGetsWhatItLacksAndNothingElseChanges) {
  const struct {
    std::vector<std::string> host_options;
    const char* active;
  } cases[] = {
      {{}, "Gearbox.CATProduct"}, {{"--german"}, "Gearbox.CATProduct"}, {{}, "Cover.CATPart"}};
  for (const auto& [host_options, active] : cases) {
    SCOPED_TRACE(std::string(active) + (host_options.empty() ? "" : ", German host"));
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    const auto before = Holdings(run.samples() / active);
    std::vector<std::string> host = host_options;
    host.push_back(run.Sample(active));
    const auto result = run.RunAgainst(host);
    EXPECT_EQ(result.out, kSuccess);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(run.ErrorLog(), "");
    EXPECT_EQ(Holdings(run.samples() / active), Completed(before));
    EXPECT_EQ(run.Tree("Cover.CATPart"), kCompletedCover);
    if (active != std::string("Gearbox.CATProduct")) continue;
    ASSERT_EQ(before.size(), 10u);  // 3 products and 7 part documents
    const std::string housing = run.Tree("Housing.CATPart");
    EXPECT_THAT(housing, ::testing::HasSubstr("        Revision (String) = \"C\"\n"
                                              "        WeightClass (String) = \"Heavy\""));
    EXPECT_THAT(housing, ::testing::HasSubstr("        Released (Boolean) = true\n"));
    EXPECT_THAT(run.Tree("Gearbox.CATProduct"),
                ::testing::HasSubstr("      Form_Revision: user property Revision = Revision  "
                                     "comment \"Revision shown in the BOM\"\n"));
  }
}

// The second run finds everything: it succeeds without a single creation, and the stand-in
// has nothing to write back.
TEST(RunWalkTest, ASecondRunAddsNothing) {
  KelvortRun run;
  run.WriteUserSettings(testing::kSampleParameters);
  EXPECT_EQ(run.RunAgainst({run.Sample("Gearbox.CATProduct")}).out, kSuccess);
  const auto after_first = testing::FilesBelow(run.samples());

  const testing::TempDir journal_folder;
  const auto journal = journal_folder.path() / "journal.txt";
  const auto result =
      run.RunAgainst({"--journal", journal.string(), run.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out, kSuccess);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(testing::FilesBelow(run.samples()), after_first);
  const std::string served = testing::ReadBytes(journal);
  EXPECT_GT(std::count(served.begin(), served.end(), '\n'), 100);  // the walk went through
  EXPECT_THAT(served, ::testing::Not(
                          ::testing::ContainsRegex("Create|SetEnumerateValues|Param\\.Value =")));
  EXPECT_EQ(run.ErrorLog(), "");
}

// The 6th formula creation of the run fails in the housing, the first part: its remaining
// formulas are not made, the walk goes on through the rest of the structure, and the run
// says that not everything was created. A failure that cannot be written to Error.log (a
// folder stands in its place) is told without pointing to the log.
TEST(RunWalkTest, AHostFaultInTheWalkIsReportedOnceAndTheWalkGoesOn) {
  constexpr const char* kNotAll =
      "[Error - Version: 1.000.04] Set_Formulas  -2147467259\n"
      "  The method CreateFormula failed\n"
      "[Kelvort] The parameters have been created, but not all of them: errors occurred "
      "during the run, as the previous messages showed.";
  for (const bool log_writable : {true, false}) {
    SCOPED_TRACE(log_writable ? "Error.log written" : "Error.log a folder");
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    if (!log_writable) std::filesystem::create_directories(run.user_folder() / "Error.log");
    const auto before = Holdings(run.samples() / "Gearbox.CATProduct");
    // The gearbox's root product creates four formulas, the housing its second one then.
    const auto result =
        run.RunAgainst({"--fault", "CreateFormula:6", run.Sample("Gearbox.CATProduct")});
    EXPECT_EQ(result.out,
              std::string(kNotAll) +
                  (log_writable ? " The first error is recorded in Error.log.\n" : "\n"));
    EXPECT_EQ(result.status, 2);
    if (!log_writable) continue;
    EXPECT_EQ(run.ErrorLog(),
              "Set_Formulas\r\n"
              "\t-2147467259 - The method CreateFormula failed\r\n \r\n");

    std::map<std::string, Holding> expected = Completed(before);
    // The housing had Form_Material and Form_WeightClass; Form_Revision was made,
    // Form_Quantity failed, and Form_Released was not tried.
    expected["GB-1010"].formulas = {"Form_Material", "Form_WeightClass", "Form_Revision"};
    EXPECT_EQ(Holdings(run.samples() / "Gearbox.CATProduct"), expected);
  }
}

}  // namespace
}  // namespace kelvort
