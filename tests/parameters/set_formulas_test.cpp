// Adding the "Form_" formulas that drive the user properties.
#include "parameters/set_formulas.h"

#include <gtest/gtest.h>

#include "formula.h"
#include "parameters/standin_run_fixture.h"
#include "part.h"
#include "product.h"
#include "relations.h"
#include "selection.h"
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

// The search finds the bolt's Form_Length in another document, so TOP gets its own; a
// second call finds both in TOP's document. The selection is left empty.
TEST_F(SetFormulasTest, InAProductDocumentOnlyAFormulaOfThatDocumentCounts) {
  OpenHost({WriteTop(root())});
  Define({{"Length", "Real", ""}, {"Grade", "String", ""}});
  const auto& top = Doc("Top.CATProduct").product();
  for (int call = 0; call < 2; ++call) Set_Formulas(state_, top, nullptr);
  EXPECT_EQ(Formulas(*top->relations()), (Lines{"Form_Length: TOP\\Properties\\Length = Length",
                                                "Form_Grade: TOP\\Properties\\Grade = Grade"}));
  EXPECT_TRUE(Doc("Top.CATProduct").selection()->items().empty());
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

}  // namespace
}  // namespace kelvort
