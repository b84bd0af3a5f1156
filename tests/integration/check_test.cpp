// kelvort --check end to end: each kind of mistake in Settings.xml found at its line with
// exit status 1, a sound file with exit status 0, the findings written as a report too, and
// the host tried on scratch documents of the check's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "support/kelvort_run.h"

namespace kelvort {
namespace {

using ::testing::HasSubstr;
using testing::KelvortRun;

// The findings' lines of the box without the folder in front of "Settings.xml".
std::vector<std::string> FindingsOf(const std::string& out) {
  std::vector<std::string> findings;
  for (size_t at = out.find("Settings.xml, line "); at != std::string::npos;
       at = out.find("Settings.xml, line ", at + 1)) {
    findings.push_back(out.substr(at, out.find('\n', at) - at));
  }
  return findings;
}

TEST(CheckTest, EachMistakeIsFoundAtItsLine) {
  KelvortRun run;
  run.WriteUserSettings(R"(  <Parameters>
    <Parameter Nmae="Revision" Type="String" Default="A" />
    <Parameter Name="Colour" Typ="Red,Green" Default="Red" />
    <Parameter Name="Colour" Type="Red, Green,," Default="Blue" />
    <Parameter Name=" Mass" Type="Interger" Default="" />
    <Parameter Name="Set.1\Mat" Type="Bolean" Default="" note="x" />
    <Parameter Name="Quantity" Type="Integer" Default="1" />
    <Parameter Name="Quantity" Type="Integer" Default="2" />
  </Parameters>
)");
  const auto result = run.Run({"--check"});
  EXPECT_EQ(result.status, 1);
  EXPECT_THAT(result.out,
              ::testing::StartsWith("[Kelvort --check] kelvort --check found 13 problem(s):\n"));
  EXPECT_THAT(
      FindingsOf(result.out),
      ::testing::ElementsAre(
          HasSubstr("line 4: unknown attribute Nmae, which a run ignores. Did you mean Name?"),
          HasSubstr("line 4: the Parameter element has no attribute Name; a run stops here"),
          HasSubstr("line 5: unknown attribute Typ, which a run ignores. Did you mean Type?"),
          HasSubstr("line 5: the Parameter element has no attribute Type;"),
          HasSubstr("line 6: a run refuses this definition and stops before touching a document: "
                    "The default value of the parameter \"Colour\" is invalid. The value must be "
                    "one of the permitted values of its Type: Red, Green,,"),
          HasSubstr("line 6: the permitted values \"Red, Green,,\" hold an empty entry"),
          HasSubstr("line 6: the permitted value \" Green\" begins or ends with a blank"),
          HasSubstr("line 7: the name \" Mass\" begins or ends with a blank"),
          HasSubstr("line 7: the type \"Interger\" looks like a misspelt Integer; as written it "
                    "makes a text parameter."),
          HasSubstr("line 8: unknown attribute note, which a run ignores. Remove it"),
          HasSubstr("line 8: a run refuses this definition and stops before touching a document: "
                    "A parameter name in Settings.xml holds a backslash"),
          HasSubstr("line 8: the type \"Bolean\" looks like a misspelt Boolean"),
          HasSubstr("line 10: the name Quantity is defined again (first on line 9).")));
  EXPECT_THAT(result.out, HasSubstr("CATIA was not checked: not exactly one CATIA session runs."));
  EXPECT_EQ(result.err, "");
}

// Not well-formed: the parser's description with the line and column; a sound file, in
// German, gives exit status 0 and writes its findings as a report too.
TEST(CheckTest, MalformedAndSoundFiles) {
  KelvortRun run;
  run.WriteUserSettings("  <Parameters>\n    <Parameter Name=\"A\" Type=\"String />\n");
  const auto broken = run.Run({"--check"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_THAT(FindingsOf(broken.out),
              ::testing::ElementsAre(HasSubstr(
                  "line 4: not well-formed XML at column 31 (Error parsing element attribute).")));

  run.WriteUserSettings(
      std::string(testing::kSampleParameters) +
      "  <frmSettings><Controls><optLang><Index_1 Value=\"True\" /></optLang></Controls>"
      "</frmSettings>\n");
  const testing::TempDir out;
  const auto report = out.path() / "check.html";
  const auto sound = run.Run({"--check", "--report", report.string()});
  EXPECT_EQ(sound.status, 0);
  EXPECT_THAT(sound.out, ::testing::StartsWith("[Kelvort --check] kelvort --check hat nichts "
                                               "Falsches gefunden.\n  CATIA wurde nicht geprüft"));
  EXPECT_THAT(testing::ReadBytes(report),
              HasSubstr("<li>kelvort --check hat nichts Falsches gefunden.</li>"));
}

// The host tried on scratch documents: the user's documents stay byte-identical, both scratch
// documents are closed with the file alerts off only around the close, RefreshDisplay, the
// status bar and the user's active document are given back, and the formula is searched as the run
// searches. A German host's word for user properties is one the run takes; a host whose
// CreateFormula fails is named in a finding.
TEST(CheckTest, TheHostIsTriedOnScratchDocumentsOnly) {
  const struct {
    std::vector<std::string> host;
    int status;
    std::string seen;
  } cases[] = {
      {{}, 0, "UserRefProperties.CreateString Name = Product1\\Properties\\KelvortCheck\n"},
      {{"--german"}, 0, "UserRefProperties.CreateString Name = Product1\\Eigenschaften\\"},
      {{"--fault", "CreateFormula:1"},
       1,
       "CATIA: Relations.CreateFormula Name: the run expects Form_KelvortCheck, this CATIA "
       "answered "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seen);
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    const testing::TempDir out;
    const auto journal = out.path() / "journal.txt";
    const auto before = testing::FilesBelow(run.samples());
    std::vector<std::string> host = c.host;
    host.insert(host.end(), {"--journal", journal.string(), run.Sample("Gearbox.CATProduct")});
    const auto result = run.RunAgainst(host, {"--check"});
    EXPECT_EQ(result.status, c.status);
    EXPECT_THAT(result.out, HasSubstr(c.seen));
    EXPECT_THAT(result.out, HasSubstr("CATIA, as the run expects: Document.Activate = "
                                      "Gearbox.CATProduct\n"));
    // Through COM a call without arguments looks like a property read: no "()" then.
    const std::string calls =
        std::regex_replace(testing::ReadBytes(journal), std::regex(R"(\(\)\n)"), "\n");
    EXPECT_THAT(calls, HasSubstr("Application.DisplayFileAlerts = False\nPartDocument.Close\n"
                                 "ProductDocument.Close\nApplication.DisplayFileAlerts = True\n"
                                 "Application.RefreshDisplay = True\n"));
    if (c.status == 0) {
      EXPECT_THAT(calls, HasSubstr("Selection.Count2\nSelection.Item2(1)\n"));
      EXPECT_THAT(calls, HasSubstr("Product.ApplyWorkMode(2)\n"));
      EXPECT_THAT(calls,
                  HasSubstr("Application.StatusBar = \"KelvortCheck\"\nApplication.StatusBar\n"
                            "Application.StatusBar = \"Select an object or a command\"\n"));
    }
    EXPECT_EQ(testing::FilesBelow(run.samples()), before);
  }
}

}  // namespace
}  // namespace kelvort
