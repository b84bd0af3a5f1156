// kelvort end to end over the sample gearbox: sub-assemblies inside and outside its file,
// parts placed several times, an English and a German host, a part document on its own, a
// second run, a host fault in the middle of the walk. The documents are checked as the
// stand-in writes them back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "bench/real_structure.h"
#include "support/kelvort_run.h"
#include "support/recording_message_boxes.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using testing::Completed;
using testing::Holding;
using testing::Holdings;
using testing::KelvortRun;

constexpr const char* kSuccess = "[Kelvort] The parameters have been created successfully.\n";
constexpr const char* kGearboxAdded =
    "  Added: 42 parameters, 47 user properties and 42 formulas in 10 products and parts.\n";
constexpr const char* kNothingMissing =
    "  Nothing was missing: every product and part already held all parameters, user "
    "properties and formulas.\n";

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
  } cases[] = {{{}, "Gearbox.CATProduct"},
               {{"--german"}, "Gearbox.CATProduct"},
               {{"--cache-mode"}, "Gearbox.CATProduct"},
               {{}, "Cover.CATPart"}};
  for (const auto& [host_options, active] : cases) {
    SCOPED_TRACE(std::string(active) + (host_options.empty() ? "" : ", German host"));
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    const auto before = Holdings(run.samples() / active);
    std::vector<std::string> host = host_options;
    host.push_back(run.Sample(active));
    const auto result = run.RunAgainst(host);
    EXPECT_EQ(result.out, kSuccess + std::string(active == std::string("Cover.CATPart")
                                                     ? "  Added: 4 parameters, 5 user properties "
                                                       "and 5 formulas in 1 products and parts.\n"
                                                     : kGearboxAdded));
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

// The second run finds everything, over the gearbox and over a structure shaped like real
// assemblies (standard parts placed often, sub-assemblies and library components placed
// more than once): it succeeds without a single creation, switches no workbench, updates
// no part, and the stand-in has nothing to write back. CATIA's display refresh is off from
// the attach to the end of the run.
TEST(RunWalkTest, ASecondRunAddsNothing) {
  for (const char* top : {"Gearbox.CATProduct", "real/Top.CATProduct"}) {
    SCOPED_TRACE(top);
    KelvortRun run;
    bench::WriteRealShaped(run.samples() / "real", 250);
    run.WriteUserSettings(testing::kSampleParameters);
    EXPECT_THAT(run.RunAgainst({run.Sample(top)}).out,
                ::testing::StartsWith(kSuccess + std::string("  Added: ")));
    const auto after_first = testing::FilesBelow(run.samples());

    const testing::TempDir journal_folder;
    const auto journal = journal_folder.path() / "journal.txt";
    const auto result = run.RunAgainst({"--journal", journal.string(), run.Sample(top)});
    EXPECT_EQ(result.out, kSuccess + std::string(kNothingMissing));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(testing::FilesBelow(run.samples()), after_first);
    const std::string served = testing::ReadBytes(journal);
    EXPECT_GT(std::count(served.begin(), served.end(), '\n'), 100);  // the walk went through
    EXPECT_THAT(served,
                ::testing::Not(::testing::ContainsRegex(
                    "Create|SetEnumerateValues|Param\\.Value =|StartWorkbench|Part\\.Update")));
    EXPECT_THAT(
        testing::JournalLinesWith(journal, "Display"),
        ::testing::ElementsAre("Application.RefreshDisplay", "Application.RefreshDisplay = False",
                               "Application.RefreshDisplay = True"));
    // Under Wine the test ends the stand-in through COM: its Quit may follow the run's calls.
    constexpr std::string_view kQuit = "Application.Quit\n";
    std::string_view run_calls = served;
    if (run_calls.ends_with(kQuit)) run_calls.remove_suffix(kQuit.size());
    EXPECT_THAT(std::string(run_calls), ::testing::EndsWith("Application.RefreshDisplay = True\n"));
    EXPECT_EQ(run.ErrorLog(), "");
  }
}

// A sub-assembly in a file of its own (which no window shows) whose component already holds
// Form_Material: the search through the active document finds it, so two runs leave it the
// only one, in a loaded and in a cache-mode session, which one ApplyWorkMode loads and where a
// dry run changes no file.
TEST(RunWalkTest, ASubAssemblysFormulaIsFoundWithoutAWindowAndInCacheMode) {
  for (const bool cache : {false, true}) {
    SCOPED_TRACE(cache ? "cache mode" : "loaded");
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    testing::WriteSubAssemblyWithAFormula(run.samples());
    const testing::TempDir out;
    const auto journal = out.path() / "journal.txt";
    std::vector<std::string> host = {"--journal", journal.string(), run.Sample("Top.CATProduct")};
    if (cache) {
      host.insert(host.begin(), "--cache-mode");
      const auto before = testing::FilesBelow(run.samples());
      EXPECT_EQ(run.RunAgainst(host, {"--dry-run"}).status, 0);
      EXPECT_EQ(testing::FilesBelow(run.samples()), before);
    }
    for (int pass = 1; pass <= 2; ++pass) {
      const auto result = run.RunAgainst(host);
      EXPECT_THAT(result.out, ::testing::StartsWith(kSuccess)) << pass;
      EXPECT_THAT(testing::JournalLinesWith(journal, "ApplyWorkMode"),
                  ::testing::ElementsAre("Product.ApplyWorkMode(2)"));
    }
    const std::string sub = run.Tree("Sub.CATProduct");
    ASSERT_NE(sub.find("Form_Material:"), std::string::npos) << sub;
    EXPECT_EQ(sub.find("Form_Material:"), sub.rfind("Form_Material:")) << sub;
    EXPECT_THAT(sub, ::testing::HasSubstr("Form_Revision: user property Revision = Revision"));
    // No duplicate: neither a parameter nor a formula of a ".N" name.
    EXPECT_THAT(sub, ::testing::Not(::testing::ContainsRegex("\\.[0-9]+( \\([A-Z][a-z]+\\)|:)")));
    EXPECT_EQ(run.ErrorLog(), "");
  }
}

// A look-up that misses what exists (the second run's first Item fails) makes CATIA add a
// second parameter of that name, disambiguated, without a failure: the written document shows
// it, as a user would meet it.
TEST(RunWalkTest, AMissedLookUpShowsAsADuplicateInTheDocument) {
  KelvortRun run;
  run.WriteUserSettings(testing::kSampleParameters);
  EXPECT_EQ(run.RunAgainst({run.Sample("Cover.CATPart")}).status, 0);
  EXPECT_THAT(run.RunAgainst({"--fault", "Item:1", run.Sample("Cover.CATPart")}).out,
              ::testing::StartsWith(kSuccess));
  EXPECT_THAT(run.Tree("Cover.CATPart"),
              ::testing::ContainsRegex("\n        Revision\\.1 \\(String\\) = \"A\"\n"));
}

// The 6th formula creation of the run fails in the housing, the first part: its remaining
// formulas are not made, the walk goes on through the rest of the structure, and the run
// says that not everything was created. A failure that cannot be written to Error.log (a
// folder stands in its place) is told without pointing to the log.
TEST(RunWalkTest, AHostFaultInTheWalkIsReportedOnceAndTheWalkGoesOn) {
  const std::string kNotAll =
      "[" + testing::ErrorBoxTitle() +
      "] Set_Formulas  -2147467259\n"
      "  The method CreateFormula failed\n"
      "[Kelvort] The parameters have been created, but not all of them: errors occurred "
      "during the run.";
  for (const bool log_writable : {true, false}) {
    SCOPED_TRACE(log_writable ? "Error.log written" : "Error.log a folder");
    KelvortRun run;
    run.WriteUserSettings(testing::kSampleParameters);
    if (!log_writable) std::filesystem::create_directories(run.user_folder() / "Error.log");
    const auto before = Holdings(run.samples() / "Gearbox.CATProduct");
    // The gearbox's root product creates four formulas, the housing its second one then.
    const auto result =
        run.RunAgainst({"--fault", "CreateFormula:6", run.Sample("Gearbox.CATProduct")});
    // One failure: its box, then the closing box that counts it and names LastRun.html.
    EXPECT_EQ(result.out,
              kNotAll + (log_writable ? " The first error is recorded in Error.log.\n" : "\n") +
                  "  Added: 42 parameters, 47 user properties and 40 formulas in 10 products and "
                  "parts.\n  Errors reported: 1. Each one is described, with its definition and "
                  "the product or part where it happened, in " +
                  run.UserFileAsNamed("LastRun.html") + "\n");
    EXPECT_THAT(testing::ReadBytes(run.user_folder() / "LastRun.html"),
                ::testing::HasSubstr(", definition Quantity error -2147467259"));
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

// Documents made before the definitions existed, filled in by hand and without parameters:
// the product's user properties simply hold values; the part's meet every clash (Material
// driven by the user's own MyMat, Revision differing from its parameter, Quantity a text
// where the definition is an integer) and one equal pair, Released.
constexpr const char* kOldProduct = R"(<ProductDocument>
  <Product PartNumber="OLD-1">
    <UserRefProperties>
      <Parameter Name="Material" Type="String" Value="EN-GJL-250" />
      <Parameter Name="WeightClass" Type="String" Value="Heavy" />
      <Parameter Name="Quantity" Type="Integer" Value="12" />
      <Parameter Name="Released" Type="Boolean" Value="true" />
    </UserRefProperties>
    <Products><Instance Name="Old part.1" File="OldPart.CATPart" /></Products>
  </Product>
</ProductDocument>
)";
constexpr const char* kOldPart = R"(<PartDocument>
  <Product PartNumber="OLD-2">
    <UserRefProperties>
      <Parameter Name="Material" Type="String" Value="EN-GJL-250" />
      <Parameter Name="Revision" Type="String" Value="B" />
      <Parameter Name="Quantity" Type="String" Value="7" />
      <Parameter Name="Released" Type="Boolean" Value="true" />
    </UserRefProperties>
  </Product>
  <Part>
    <Parameters>
      <Parameter Name="MatCode" Type="String" Value="EN-GJL-250" />
      <Parameter Name="Revision" Type="String" Value="C" />
      <Parameter Name="Released" Type="Boolean" Value="true" />
    </Parameters>
    <Relations>
      <Formula Name="MyMat" Comment="" Body="MatCode" Output="Material" OutputIn="UserRefProperties" />
    </Relations>
  </Part>
</PartDocument>
)";

// Every user property keeps its value: the new parameters hold the same values and are
// linked; a clash leaves its definition unlinked without an error, the part still updates,
// the closing message counts the clashes and the report lists them, as the dry run
// foretold. A second run adds nothing and finds the same clashes.
TEST(RunWalkTest, WhatUsersEnteredSurvives) {
  KelvortRun run;
  run.WriteUserSettings(testing::kSampleParameters);
  testing::WriteBytes(run.samples() / "Old.CATProduct", kOldProduct);
  testing::WriteBytes(run.samples() / "OldPart.CATPart", kOldPart);
  const testing::TempDir out;
  const auto report = [&](const char* name) { return (out.path() / name).string(); };
  const std::string clashes =
      "\n  Definitions left without their formula: 3. Their formula would have changed or broken "
      "what the user property holds (another formula drives it, or its type or value differs "
      "from the parameter's); the run's report lists each with what was found: " +
      run.UserFileAsNamed("LastRun.html") + "\n";
  const std::vector<std::string> host = {run.Sample("Old.CATProduct")};
  const auto dry = run.RunAgainst(host, {"--dry-run", "--report", report("dry.csv")});
  EXPECT_THAT(dry.out, ::testing::EndsWith(clashes));
  std::map<std::string, std::string> after_first;
  for (const char* name : {"first.csv", "second.csv"}) {
    SCOPED_TRACE(name);
    const auto result = run.RunAgainst(host, {"--report", report(name)});
    const std::string added =
        name == std::string("first.csv")
            ? "  Added: 8 parameters, 2 user properties and 7 formulas in 2 products and parts.\n"
            : "";  // nothing added, yet not "nothing missing": the clashes are
    EXPECT_EQ(result.out, "[Kelvort] The parameters have been created successfully.\n" + added +
                              clashes.substr(1));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(run.ErrorLog(), "");
    const std::string csv = testing::ReadBytes(report(name));
    const std::string part = "OLD-1/Old part.1,OldPart.CATPart,OLD-2,Clash,";
    EXPECT_THAT(csv, ::testing::HasSubstr(
                         part + "Revision,,,,left unlinked,Set_Formulas,,,\"values differ: " +
                         "parameter C, user property B\"\r\n" + part +
                         "Material,,,,left unlinked,Set_Formulas,,,driven by MyMat\r\n" + part +
                         "Quantity,,,,left unlinked,Set_Formulas,,,types differ: Integer and "
                         "String\r\n"));
    if (name == std::string("second.csv")) {
      EXPECT_EQ(testing::FilesBelow(run.samples()), after_first);
      EXPECT_THAT(csv, ::testing::Not(::testing::HasSubstr(",added,")));
      continue;
    }
    after_first = testing::FilesBelow(run.samples());
    const std::string dry_csv = std::regex_replace(testing::ReadBytes(report("dry.csv")),
                                                   std::regex(",would add,"), ",added,");
    EXPECT_EQ(std::regex_replace(dry_csv, std::regex(",would leave unlinked,"), ",left unlinked,"),
              csv);
    const std::regex took("holds the value its user property had");
    EXPECT_EQ(std::distance(std::sregex_iterator(csv.begin(), csv.end(), took), {}), 6);
    EXPECT_THAT(run.Tree("Old.CATProduct"),
                ::testing::HasSubstr("    Parameters\n"
                                     "      Revision (String) = \"A\"\n"
                                     "      Material (String) = \"EN-GJL-250\"\n"
                                     "      WeightClass (String) = \"Heavy\"  permitted: "
                                     "\"Light\", \"Medium\", \"Heavy\"\n"
                                     "      Quantity (Integer) = 12\n"
                                     "      Released (Boolean) = true\n"
                                     "    User properties\n"
                                     "      Material (String) = \"EN-GJL-250\"\n"
                                     "      WeightClass (String) = \"Heavy\"\n"
                                     "      Quantity (Integer) = 12\n"
                                     "      Released (Boolean) = true\n"
                                     "      Revision (String) = \"A\"\n"));
    EXPECT_EQ(
        run.Tree("OldPart.CATPart"),
        "PartDocument OldPart.CATPart\n"
        "  Product OLD-2\n"
        "    User properties\n"
        "      Material (String) = \"EN-GJL-250\"\n"
        "      Revision (String) = \"B\"\n"
        "      Quantity (String) = \"7\"\n"
        "      Released (Boolean) = true\n"
        "      WeightClass (String) = \"Medium\"  permitted: \"Light\", \"Medium\", \"Heavy\"\n"
        "    Part OLD-2\n"
        "      Parameters\n"
        "        MatCode (String) = \"EN-GJL-250\"\n"
        "        Revision (String) = \"C\"\n"
        "        Released (Boolean) = true\n"
        "        Material (String) = \"EN-GJL-250\"\n"
        "        WeightClass (String) = \"Medium\"  permitted: \"Light\", \"Medium\", \"Heavy\"\n"
        "        Quantity (Integer) = 7\n"
        "      Formulas\n"
        "        MyMat: user property Material = MatCode\n"
        "        Form_WeightClass: user property WeightClass = WeightClass\n"
        "        Form_Released: user property Released = Released\n");
  }
}

}  // namespace
}  // namespace kelvort
