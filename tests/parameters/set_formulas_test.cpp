// Adding the "Form_" formulas that drive the user properties.
#include "parameters/set_formulas.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "formula.h"
#include "parameters/standin_run_fixture.h"
#include "part.h"
#include "product.h"
#include "relations.h"
#include "selection.h"
#include "support/fake_dispatch.h"
#include "support/standin_documents.h"

namespace kelvort {
namespace {

using Lines = std::vector<std::string>;

// A product document whose own formulas are none, placing the bolt that has Form_Length.
std::filesystem::path WriteTop(const std::filesystem::path& folder) {
  testing::WriteSmallAssembly(folder);
  testing::WriteBytes(folder / "Top.CATProduct", R"(<?xml version="1.0" encoding="UTF-8"?>
<ProductDocument>
  <Product PartNumber="TOP">
    <UserRefProperties>
      <Parameter Name="Length" Type="Real" Value="0" />
      <Parameter Name="Grade" Type="String" Value="" />
      <Parameter Name="Mass" Type="Real" Value="0" />
    </UserRefProperties>
    <Products>
      <Instance Name="Bolt.1" File="Bolt.CATPart" />
    </Products>
  </Product>
</ProductDocument>
)");
  return folder / "Top.CATProduct";
}

class SetFormulasTest : public testing::StandinRunFixture {
 protected:
  SetFormulasTest() { state_.ErrorLogPath = WinPath("Config"); }

  // The formulas of a relations collection as name: output = body.
  static Lines Formulas(const standin::Relations& relations) {
    Lines lines;
    for (const auto& formula : relations.items()) {
      lines.push_back(formula->Name() + ": " + formula->output()->Name() + " = " + formula->body() +
                      (formula->comment().empty() ? "" : " // " + formula->comment()));
    }
    return lines;
  }
  void AddUserProperty(std::string_view file, const std::string& name) {
    Doc(file).product()->properties()->Create("Create", name, standin::ParameterType::kString, "");
  }
};

TEST_F(SetFormulasTest, InAPartDocumentThePartsFormulasAreLookedUp) {
  OpenHost({testing::WriteSmallAssembly(root()).parent_path() / "Bolt.CATPart"});
  AddUserProperty("Bolt.CATPart", "Grade");
  Define({{"Length", "Integer", ""}, {"Grade", "String", ""}});
  const auto& part = Doc("Bolt.CATPart").part();
  Set_Formulas(state_, Doc("Bolt.CATPart").product(), part);
  EXPECT_EQ(Formulas(*part->relations()), (Lines{"Form_Length: BOLT\\Properties\\Length = Length",
                                                 "Form_Grade: BOLT\\Properties\\Grade = Grade"}));
  // The user properties are read when the first formula needs one.
  EXPECT_EQ(Calls({"Item", "CreateFormula"}),
            (Lines{R"(Relations.Item("Form_Length"))", R"(Relations.Item("Form_Grade"))",
                   "Parameters.Item(1)", "Parameters.Item(2)",
                   R"(Relations.CreateFormula("Form_Grade", "", <StrParam>, "Grade"))"}));

  EXPECT_EQ(Calls({"ReferenceProduct"}).size(), 1u);

  // Without a product the part's own document gives it; nothing more is created.
  Set_Formulas(state_, nullptr, part);
  EXPECT_EQ(part->relations()->items().size(), 2u);
  EXPECT_EQ(Calls({"CreateFormula"}).size(), 1u);
  EXPECT_EQ(Calls({"Count", "PartNumber"}).size(), 2u) << "no user property read again";
  EXPECT_TRUE(Calls({"Search", "Clear"}).empty());
  EXPECT_EQ(state_.FailureCount, 0);
}

TEST_F(SetFormulasTest, InAProductDocumentOnlyAFormulaOfThatDocumentCounts) {
  OpenHost({WriteTop(root())});
  Define({{"Length", "Real", ""}, {"Grade", "String", ""}});
  const auto& top = Doc("Top.CATProduct").product();
  // The search finds the bolt's Form_Length: another document, so TOP gets its own.
  Set_Formulas(state_, top, nullptr);
  EXPECT_EQ(Formulas(*top->relations()), (Lines{"Form_Length: TOP\\Properties\\Length = Length",
                                                "Form_Grade: TOP\\Properties\\Grade = Grade"}));
  EXPECT_EQ(
      Calls({"Clear", "Search", "CreateFormula"}),
      (Lines{"Selection.Clear()", R"(Selection.Search("CATKnowledgeSearch..Name=Form_Length,all"))",
             R"(Relations.CreateFormula("Form_Length", "", <RealParam>, "Length"))",
             "Selection.Clear()", R"(Selection.Search("CATKnowledgeSearch..Name=Form_Grade,all"))",
             R"(Relations.CreateFormula("Form_Grade", "", <StrParam>, "Grade"))",
             "Selection.Clear()"}));
  // The three user properties' names are read once, not once per definition.
  EXPECT_EQ(Calls({"Item"}), (Lines{"Selection.Item(1)", "Parameters.Item(1)", "Parameters.Item(2)",
                                    "Parameters.Item(3)"}));
  EXPECT_TRUE(Doc("Top.CATProduct").selection()->items().empty());
  EXPECT_EQ(
      Calls({"ReferenceProduct", "FullName"}),
      (Lines{"Product.ReferenceProduct", "ProductDocument.FullName", "PartDocument.FullName"}));

  // Now both are found in TOP's own document.
  Set_Formulas(state_, top, nullptr);
  EXPECT_EQ(top->relations()->items().size(), 2u);
  EXPECT_EQ(Calls({"CreateFormula"}).size(), 2u);
  EXPECT_TRUE(Doc("Top.CATProduct").selection()->items().empty());
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_EQ(Doc("Bolt.CATPart").part()->relations()->items().size(), 1u);
}

// A name that the search cannot take bare stands in quotes: the formula made by the first
// call is found by the second, and the rows after it get theirs.
TEST_F(SetFormulasTest, NamesWithBlanksOrSignsAreSearchedInQuotes) {
  OpenHost({WriteTop(root())});
  AddUserProperty("Top.CATProduct", "Surface finish");
  AddUserProperty("Top.CATProduct", "Weight(kg)");
  Define({{"Surface finish", "String", ""}, {"Weight(kg)", "String", ""}, {"Mass", "Real", ""}});
  const auto& top = Doc("Top.CATProduct").product();
  for (int run = 0; run < 2; ++run) Set_Formulas(state_, top, nullptr);
  EXPECT_EQ(Calls({"Search"}).front(),
            R"(Selection.Search("CATKnowledgeSearch..Name='Form_Surface finish',all"))");
  EXPECT_EQ(Formulas(*top->relations()),
            (Lines{"Form_Surface finish: TOP\\Properties\\Surface finish = Surface finish",
                   "Form_Weight(kg): TOP\\Properties\\Weight(kg) = Weight(kg)",
                   "Form_Mass: TOP\\Properties\\Mass = Mass"}));
  EXPECT_EQ(state_.FailureCount, 0);
}

TEST_F(SetFormulasTest, EnglishAndGermanUserPropertyNamesAreRecognised) {
  for (const auto language : {standin::HostLanguage::kEnglish, standin::HostLanguage::kGerman}) {
    testing::TempDir folder;
    OpenHost({WriteTop(folder.path())}, language);
    Define({{"Mass", "Real", ""}});
    Set_Formulas(state_, Doc("Top.CATProduct").product(), nullptr);
    EXPECT_EQ(Formulas(*Doc("Top.CATProduct").product()->relations()),
              Lines{language == standin::HostLanguage::kGerman
                        ? "Form_Mass: TOP\\Eigenschaften\\Mass = Mass"
                        : "Form_Mass: TOP\\Properties\\Mass = Mass"});
    EXPECT_TRUE(Calls({"FullName"}).empty());  // no match to compare with the document
  }
  EXPECT_EQ(state_.FailureCount, 0);
}

TEST_F(SetFormulasTest, ADefinitionWithoutUserPropertyEndsTheProduct) {
  OpenHost({testing::WriteSmallAssembly(root()).parent_path() / "Washer.CATPart"});
  AddUserProperty("Washer.CATPart", "A");
  AddUserProperty("Washer.CATPart", "C");
  // B has no user property: A's is not taken for it, and C is never reached.
  Define({{"A", "String", ""}, {"B", "String", ""}, {"C", "String", ""}});
  const auto& part = Doc("Washer.CATPart").part();
  Set_Formulas(state_, nullptr, part);
  EXPECT_EQ(Formulas(*part->relations()), Lines{"Form_A: WASHER\\Properties\\A = A"});
  EXPECT_EQ(Reported(), Lines{"Set_Formulas"});
}

TEST_F(SetFormulasTest, NoUserPropertiesGiveTheOneGermanBox) {
  OpenHost({WriteTop(root())});
  Define({{"Length", "Real", ""}});
  app_->host()->faults().Add("UserRefProperties", 1);
  Set_Formulas(state_, Doc("Top.CATProduct").product(), nullptr);
  EXPECT_EQ(test_.message_boxes.boxes,
            (std::vector<testing::ShownBox>{{"Abbruch", "Keine UserProperties definiert."}}));
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_FALSE(std::filesystem::exists(root() / "Config/Error.log"));
  EXPECT_TRUE(Calls({"Search", "CreateFormula", "Relations"}).empty());
}

// A product with 32,767 user properties has each read once; one count more fails when
// the reading starts, as counts above 32,767 do.
TEST_F(SetFormulasTest, UserPropertyCountsUpTo32767AreReadWithoutWrapping) {
  Define({{"Mass", "Real", ""}});
  using testing::FakeDispatch;
  const auto selection = std::make_shared<FakeDispatch>("Selection");
  selection->Returns("Clear", Variant()).Returns("Search", Variant()).Returns("Count", Variant(0));
  const auto document = std::make_shared<FakeDispatch>("ProductDocument");
  document->Returns("Selection", Variant(selection));
  const auto property = std::make_shared<FakeDispatch>("StrParam");
  property->Returns("Name", Variant("TOP\\Properties\\Mass"));
  const auto relations = std::make_shared<FakeDispatch>("Relations");
  relations->Returns("CreateFormula", Variant());
  for (const int32_t count : {32767, 32768}) {
    std::vector<int32_t> asked;
    const auto reference = std::make_shared<FakeDispatch>("Product");
    reference->Returns("Parent", Variant(document))
        .Returns("UserRefProperties", Variant(testing::FakeCollection(count, property, asked)));
    const auto product = std::make_shared<FakeDispatch>("Product");
    product->Returns("ReferenceProduct", Variant(reference))
        .Returns("PartNumber", Variant("TOP"))
        .Returns("Relations", Variant(relations));
    Set_Formulas(state_, product, nullptr);
    EXPECT_EQ(asked.size(), count == 32767 ? 32767u : 0u);
    EXPECT_EQ(asked.empty() ? 32767 : asked.back(), 32767);
  }
  // The formula of the first product only.
  EXPECT_EQ(std::count_if(relations->calls.begin(), relations->calls.end(),
                          [](const auto& call) { return call.first == "CreateFormula"; }),
            1);
  EXPECT_EQ(Reported(), Lines{"Set_Formulas"});
}

}  // namespace
}  // namespace kelvort
