// kelvort end to end with the user's Settings.xml: the German language chosen, a rejected
// definition and a definition that cannot be read, both of which stop the run before any
// document is touched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/kelvort_run.h"

namespace kelvort {
namespace {

using testing::KelvortRun;

constexpr const char* kGermanChosen =
    "  <frmSettings><Controls><optLang><Index_1 Value=\"True\" /></optLang></Controls>"
    "</frmSettings>\n";

TEST(RunSettingsTest, TheGermanLanguageChosenGivesGermanBoxes) {
  KelvortRun run;
  run.WriteUserSettings(
      "  <Parameters><Parameter Name=\"Revision\" Type=\"String\" Default=\"A\" /></Parameters>\n" +
      std::string(kGermanChosen));
  const auto alone = run.Run();
  EXPECT_EQ(alone.out,
            "[Abbruch] Kelvort benötigt genau eine laufende CATIA-Sitzung. Starten Sie CATIA "
            "bzw. schließen Sie die übrigen CATIA-Sitzungen und starten Sie Kelvort erneut.\n");
  EXPECT_EQ(alone.status, 1);

  const auto result = run.RunAgainst({run.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out, "[Kelvort] Die Parameter wurden erfolgreich angelegt.\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(run.Tree("Cover.CATPart"), ::testing::HasSubstr("Revision (String) = \"A\""));
}

TEST(RunSettingsTest, ARejectedDefinitionStopsTheRunWithTheDocumentsUntouched) {
  KelvortRun run;
  run.WriteUserSettings(R"(  <Parameters>
    <Parameter Name="Revision" Type="String" Default="A" />
    <Parameter Name="Quantity" Type="Integer" Default="one" />
    <Parameter Name="Released" Type="Boolean" Default="maybe" />
  </Parameters>
)");
  const auto before = run.SampleFiles();
  const auto result = run.RunAgainst({run.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out,
            "[Aborted] The default value of the parameter \"Quantity\" is invalid.\n"
            "  The value must be a number (type Integer).\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(run.SampleFiles(), before);
  EXPECT_EQ(run.ErrorLog(), "");
}

// A Parameter without its Default attribute cannot be read: its error is the run's last
// box, and no document is touched.
TEST(RunSettingsTest, ADefinitionWithoutDefaultStopsTheRunWithItsError) {
  KelvortRun run;
  run.WriteUserSettings(R"(  <Parameters>
    <Parameter Name="Revision" Type="String" Default="A" />
    <Parameter Name="Quantity" Type="Integer" />
  </Parameters>
)");
  const auto before = run.SampleFiles();
  const auto result = run.RunAgainst({run.Sample("Gearbox.CATProduct")});
  EXPECT_EQ(result.out,
            "[Error - Version: 1.000.04] SetParameterName  91\n"
            "  Object variable or With block variable not set\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_THAT(run.ErrorLog(),
              ::testing::MatchesRegex("[^\r\n]+ - SetParameterName\r\n"
                                      "\t91 - Object variable or With block variable not set\r\n"
                                      " \r\n"));
  EXPECT_EQ(run.SampleFiles(), before);
}

}  // namespace
}  // namespace kelvort
