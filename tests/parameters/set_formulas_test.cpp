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

// The small assembly without formulas of its own: ASM places the bolt that has Form_Length.
std::filesystem::path WriteAssemblyWithoutFormulas(const std::filesystem::path& folder) {
  const std::filesystem::path assembly = testing::WriteSmallAssembly(folder);
  std::string text = testing::ReadBytes(assembly);
  const size_t begin = text.find("    <Relations>");
  const std::string end = "</Relations>\n";
  testing::WriteBytes(assembly, text.erase(begin, text.find(end) + end.size() - begin));
  return assembly;
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
// The last search finds the bolt's Form_Length in another document, so ASM gets its own, and
// the selection is left empty all the same. A second call finds every formula in ASM's
// document and adds none.
TEST_F(SetFormulasTest, EachRowGetsOneFormulaOfItsOwnDocument) {
  OpenHost({WriteAssemblyWithoutFormulas(root())});
  AddUserProperty("Asm.CATProduct", "Surface finish");
  AddUserProperty("Asm.CATProduct", "Weight(kg)");
  Define({{"Surface finish", "String", ""}, {"Weight(kg)", "String", ""}, {"Length", "Real", ""}});
  const auto& assembly = Doc("Asm.CATProduct").product();
  Set_Formulas(state_, assembly, nullptr, {});
  EXPECT_TRUE(Doc("Asm.CATProduct").selection()->items().empty());
  Set_Formulas(state_, assembly, nullptr, {});
  EXPECT_EQ(Formulas(*assembly->relations()),
            (Lines{"Form_Surface finish: ASM\\Properties\\Surface finish = Surface finish",
                   "Form_Weight(kg): ASM\\Properties\\Weight(kg) = Weight(kg)",
                   "Form_Length: ASM\\Properties\\Length = Length"}));
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_EQ(Doc("Bolt.CATPart").part()->relations()->items().size(), 1u);
}

// No user properties to be had: the one German box, nothing logged and no formula. Then a
// definition without user property ends the part: A's is not taken for B, C is never reached.
TEST_F(SetFormulasTest, MissingUserPropertiesEndThePart) {
  OpenHost({testing::WriteSmallAssembly(root()).parent_path() / "Washer.CATPart"});
  Define({{"A", "String", ""}, {"B", "String", ""}, {"C", "String", ""}});
  const auto& part = Doc("Washer.CATPart").part();
  app_->host()->faults().Add("UserRefProperties", 1);
  Set_Formulas(state_, nullptr, part, {});
  EXPECT_EQ(test_.message_boxes.boxes,
            (std::vector<testing::ShownBox>{{"Abbruch", "Keine UserProperties definiert."}}));
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_FALSE(std::filesystem::exists(root() / "Config/Error.log"));
  EXPECT_TRUE(part->relations()->items().empty());

  AddUserProperty("Washer.CATPart", "A");
  AddUserProperty("Washer.CATPart", "C");
  Set_Formulas(state_, nullptr, part, {});
  EXPECT_EQ(Formulas(*part->relations()), Lines{"Form_A: WASHER\\Properties\\A = A"});
  EXPECT_EQ(Reported().back(), "Set_Formulas");
  EXPECT_EQ(state_.FailureCount, 1);
}

}  // namespace
}  // namespace kelvort
