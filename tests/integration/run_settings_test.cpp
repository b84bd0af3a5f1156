// kelvort end to end with the user's Settings.xml: the German language chosen, a rejected
// definition and a definition that cannot be read, both of which stop the run before any
// document is touched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/kelvort_run.h"
#include "support/recording_message_boxes.h"

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
  EXPECT_EQ(result.out,
            "[Kelvort] Die Parameter wurden erfolgreich angelegt.\n  Hinzugefügt: 8 Parameter, "
            "9 Benutzereigenschaften und 8 Formeln in 9 Produkten und Teilen.\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(run.Tree("Cover.CATPart"), ::testing::HasSubstr("Revision (String) = \"A\""));
}

// Rejected definitions (a wrong Integer, a default outside the permitted values, a name
// with a backslash), a file saved as UTF-8 but declared ISO-8859-1, and a definition that
// cannot be read because its Default attribute is missing stop the run before any document
// is touched; the latter's error box is followed by the pointer to kelvort --check.
TEST(RunSettingsTest, DefinitionsThatStopTheRunLeaveTheDocumentsUntouched) {
  struct Case {
    const char* parameters;
    std::string out;
    int status;
    const char* error_log;
  };
  const Case cases[] = {
      {R"(    <Parameter Name="Revision" Type="String" Default="A" />
    <Parameter Name="Quantity" Type="Integer" Default="one" />
    <Parameter Name="Released" Type="Boolean" Default="maybe" />
)",
       "[Aborted] The default value of the parameter \"Quantity\" is invalid.\n"
       "  The value must be a number (type Integer).\n",
       1, ""},
      {R"(    <Parameter Name="Colour" Type="Red,Green" Default="" />
    <Parameter Name="Colour2" Type="Red,Green" Default="Blue" />
)",
       "[Aborted] The default value of the parameter \"Colour2\" is invalid.\n"
       "  The value must be one of the permitted values of its Type: Red,Green\n",
       1, ""},
      {R"(    <Parameter Name="Set.1\Mat" Type="String" Default="" />
)",
       "[Aborted] A parameter name in Settings.xml holds a backslash (\\), which CATIA reads as "
       "a path in a formula: the formula would read another parameter. Rename the parameter:\n"
       "  Set.1\\Mat\n",
       1, ""},
      {"    <Parameter Name=\"Gr\xC3\xB6\xC3\x9F"
       "e\" Type=\"String\" Default=\"\" />\n",
       "[Aborted] The settings file declares the encoding ISO-8859-1 but was saved as UTF-8, so "
       "its special characters would be misread. Save it as ISO-8859-1 (Latin-1), or declare "
       "encoding=\"UTF-8\" in its first line, and run Kelvort again:\n  ",
       1, ""},
      {R"(    <Parameter Name="Revision" Type="String" Default="A" />
    <Parameter Name="Quantity" Type="Integer" />
)",
       "[" + testing::ErrorBoxTitle() +
           "] SetParameterName  91\n"
           "  Object variable or With block variable not set\n"
           "[Kelvort] Settings.xml could not be read. Run kelvort --check: it tells you what is "
           "wrong in it and where.\n",
       2, "SetParameterName\r\n\t91 - Object variable or With block variable not set\r\n \r\n"},
  };
  for (const Case& stopping : cases) {
    SCOPED_TRACE(stopping.parameters);
    KelvortRun run;
    run.WriteUserSettings("  <Parameters>\n" + std::string(stopping.parameters) +
                          "  </Parameters>\n");
    const auto before = testing::FilesBelow(run.samples());
    const auto result = run.RunAgainst({run.Sample("Gearbox.CATProduct")});
    EXPECT_THAT(result.out, ::testing::StartsWith(stopping.out));
    EXPECT_EQ(result.status, stopping.status);
    EXPECT_EQ(run.ErrorLog(), stopping.error_log);
    EXPECT_EQ(testing::FilesBelow(run.samples()), before);
  }
}

}  // namespace
}  // namespace kelvort
