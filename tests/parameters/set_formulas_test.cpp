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

// A name that the search cannot take bare stands in quotes (a bare one fails the search).
// The last search finds the bolt's Form_Length in another document, so TOP gets its own, and
// the selection is left empty all the same. A second call finds every formula in TOP's
// document and adds none.
TEST_F(SetFormulasTest, EachRowGetsOneFormulaOfItsOwnDocument) {
  OpenHost({WriteTop(root())});
  AddUserProperty("Top.CATProduct", "Surface finish");
  AddUserProperty("Top.CATProduct", "Weight(kg)");
  Define({{"Surface finish", "String", ""}, {"Weight(kg)", "String", ""}, {"Length", "Real", ""}});
  const auto& top = Doc("Top.CATProduct").product();
  Set_Formulas(state_, top, nullptr);
  EXPECT_TRUE(Doc("Top.CATProduct").selection()->items().empty());
  Set_Formulas(state_, top, nullptr);
  EXPECT_EQ(Formulas(*top->relations()),
            (Lines{"Form_Surface finish: TOP\\Properties\\Surface finish = Surface finish",
                   "Form_Weight(kg): TOP\\Properties\\Weight(kg) = Weight(kg)",
                   "Form_Length: TOP\\Properties\\Length = Length"}));
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_EQ(Doc("Bolt.CATPart").part()->relations()->items().size(), 1u);
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
  EXPECT_TRUE(Doc("Top.CATProduct").product()->relations()->items().empty());
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
