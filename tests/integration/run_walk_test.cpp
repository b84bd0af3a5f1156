// kelvort end to end over the sample gearbox: sub-assemblies inside and outside its file,
// parts placed several times, an English and a German host, a second run, a host fault in
// the middle of the walk. The documents are checked as the stand-in writes them back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "support/kelvort_run.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using testing::Completed;
using testing::Holding;
using testing::KelvortRun;

constexpr const char* kSuccess = "[Kelvort] The parameters have been created successfully.\n";

class RunWalkTest : public ::testing::Test {
 protected:
  RunWalkTest() {
    run_.WriteUserSettings(testing::kSampleParameters);
    before_ = testing::Holdings(run_.samples() / "Gearbox.CATProduct");
  }
  std::map<std::string, Holding> Written() const {
    return testing::Holdings(run_.samples() / "Gearbox.CATProduct");
  }

  KelvortRun run_;
  std::map<std::string, Holding> before_;
};

TEST_F(RunWalkTest, TheWholeStructureGetsWhatItLacksAndNothingElseChanges) {
  ASSERT_EQ(before_.size(), 10u);  // 3 products and 7 part documents
  const auto result = run_.RunAgainst({run_.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out, kSuccess);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(run_.ErrorLog(), "");

  // The bolt placed four times and the bearing placed in both shaft assemblies hold each
  // definition once; the drawing beside them is not part of the structure.
  EXPECT_EQ(Written(), Completed(before_));
  // New parameters take their type and default; existing ones keep theirs, and the update
  // has driven the new user properties by their formulas.
  EXPECT_EQ(run_.Tree("Cover.CATPart"),
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
            "        WeightClass (String) = \"Medium\"  permitted: \"Light\", \"Medium\", "
            "\"Heavy\"\n"
            "        Quantity (Integer) = 2\n"
            "        Released (Boolean) = false\n"
            "      Formulas\n"
            "        Form_Revision: user property Revision = Revision\n"
            "        Form_Material: user property Material = Material\n"
            "        Form_WeightClass: user property WeightClass = WeightClass\n"
            "        Form_Quantity: user property Quantity = Quantity\n"
            "        Form_Released: user property Released = Released\n");
  const std::string housing = run_.Tree("Housing.CATPart");
  EXPECT_THAT(housing, ::testing::HasSubstr("        Revision (String) = \"C\"\n"
                                            "        WeightClass (String) = \"Heavy\""));
  EXPECT_THAT(housing, ::testing::HasSubstr("        Released (Boolean) = true\n"));
  EXPECT_THAT(run_.Tree("Gearbox.CATProduct"),
              ::testing::HasSubstr("      Form_Revision: user property Revision = Revision  "
                                   "comment \"Revision shown in the BOM\"\n"));
}

// A part document as the active document is filled on its own.
TEST_F(RunWalkTest, APartDocumentGetsWhatItLacks) {
  const auto part = run_.samples() / "Cover.CATPart";
  const auto before = testing::Holdings(part);
  const auto result = run_.RunAgainst({part.string()});
  EXPECT_EQ(result.out, kSuccess);
  EXPECT_EQ(testing::Holdings(part), Completed(before));
}

// The second run finds everything: it succeeds without a single creation, and the stand-in
// has nothing to write back.
TEST_F(RunWalkTest, ASecondRunAddsNothing) {
  EXPECT_EQ(run_.RunAgainst({run_.Sample("Gearbox.CATProduct")}).out, kSuccess);
  const auto after_first = run_.SampleFiles();

  const testing::TempDir journal_folder;
  const auto journal = journal_folder.path() / "journal.txt";
  const auto result =
      run_.RunAgainst({"--journal", journal.string(), run_.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out, kSuccess);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(run_.SampleFiles(), after_first);

  std::ifstream lines(journal);
  int served = 0;
  for (std::string line; std::getline(lines, line); ++served) {
    EXPECT_THAT(line, ::testing::Not(
                          ::testing::ContainsRegex("Create|SetEnumerateValues|Param\\.Value = ")));
  }
  EXPECT_GT(served, 100);  // the walk went through the structure
  EXPECT_EQ(run_.ErrorLog(), "");
}

// A German host names user properties <part number>\Eigenschaften\<name>; the formulas
// find them all the same.
TEST_F(RunWalkTest, AGermanHostGetsTheSameParametersAndFormulas) {
  const auto result = run_.RunAgainst({"--german", run_.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out, kSuccess);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(Written(), Completed(before_));
  EXPECT_THAT(run_.Tree("Cover.CATPart"),
              ::testing::HasSubstr("        Form_Quantity: user property Quantity = Quantity\n"));
}

// The 6th formula creation of the run fails in the housing, the first part: its remaining
// formulas are not made, the walk goes on through the rest of the structure, and the run
// says that not everything was created.
TEST_F(RunWalkTest, AHostFaultInTheWalkIsReportedOnceAndTheWalkGoesOn) {
  // The gearbox's root product creates four formulas, the housing its second one then.
  const auto result =
      run_.RunAgainst({"--fault", "CreateFormula:6", run_.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out,
            "[Error - Version: 1.000.04] Set_Formulas  -2147467259\n"
            "  Method 'CreateFormula' of object 'Relations' failed\n"
            "[Kelvort] The parameters have been created, but not all of them: errors occurred "
            "during the run, as the previous messages showed. The first error is recorded in "
            "Error.log.\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(run_.ErrorLog(),
            "Set_Formulas\r\n"
            "\t-2147467259 - Method 'CreateFormula' of object 'Relations' failed\r\n \r\n");

  std::map<std::string, Holding> expected = Completed(before_);
  // The housing had Form_Material and Form_WeightClass; Form_Revision was made, Form_Quantity
  // failed, and Form_Released was not tried.
  expected["GB-1010"].formulas = {"Form_Material", "Form_WeightClass", "Form_Revision"};
  EXPECT_EQ(Written(), expected);
}

// A failure that cannot be written to Error.log (a folder stands in its place) is told
// without pointing to the log.
TEST_F(RunWalkTest, AFailureThatCannotBeLoggedIsToldWithoutTheLog) {
  std::filesystem::create_directories(run_.user_folder() / "Error.log");
  const auto result =
      run_.RunAgainst({"--fault", "CreateFormula:6", run_.Sample("Gearbox.CATProduct")});
  EXPECT_THAT(result.out, ::testing::EndsWith("errors occurred during the run, as the previous "
                                              "messages showed.\n"));
  EXPECT_EQ(result.status, 2);
}

}  // namespace
}  // namespace kelvort
