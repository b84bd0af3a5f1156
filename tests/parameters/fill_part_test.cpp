// Creating the missing parameters of one host collection.
#include "parameters/fill_part.h"

#include <gtest/gtest.h>

#include "parameters/defined_value.h"
#include "parameters/standin_run_fixture.h"
#include "part.h"
#include "product.h"
#include "support/standin_documents.h"
#include "tree_text.h"

namespace kelvort {
namespace {

class FillPartTest : public testing::StandinRunFixture {
 protected:
  FillPartTest() {
    state_.ErrorLogPath = WinPath("Config");
    OpenHost({testing::WriteSmallAssembly(root())});
  }
  void FillPart(std::string_view file) {
    VisitItems items(nullptr);
    Fill_Part(state_, Doc(file).part()->parameters(), true,
              DefiningDocument(app_->FindDocument(file)), items);
  }
};

TEST_F(FillPartTest, EveryKindIsCreatedWithItsDefault) {
  Define({{"Flag", "Boolean", ""},
          {"Done", "BOOLEAN", "TRUE"},
          {"Count", "integer", ""},
          {"Even", "Integer", "2.5"},
          {"Weight", "Real", "1.5"},
          {"Pair", "A, B", ""},
          {"Open", "A,", ""}});
  FillPart("Washer.CATPart");
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_EQ(TreeText(Doc("Washer.CATPart")), R"(PartDocument Washer.CATPart
  Product WASHER
    Part WASHER
      Parameters
        Flag (Boolean) = false
        Done (Boolean) = true
        Count (Integer) = 0
        Even (Integer) = 2
        Weight (String) = "1.5"
        Pair (String) = ""  permitted: "A", " B"
        Open (String) = ""  permitted: "A", ""
)");
  // The regional number format reads the comma.
  test_.platform.formats.decimal_separator = ",";
  Define({{"Half", "Integer", "-3,5"}});
  FillPart("Bolt.CATPart");
  EXPECT_EQ(Doc("Bolt.CATPart").part()->parameters()->FindShort("Half")->value().ToText(), "-4");
}

// In a product document a parameter is found only under the product's name: existing ones
// are not created again (CATIA would make a disambiguated second one).
TEST_F(FillPartTest, AProductDocumentsParametersAreLookedUpUnderTheProductsName) {
  const auto& product = Doc("Asm.CATProduct").product();
  const auto& component = Doc("Asm.CATProduct").FindComponent("SUB");
  Define({{"Length", "String", ""}, {"Grade", "String", ""}});
  for (const auto& parameters : {product->parameters(), component->parameters()}) {
    for (int run = 0; run < 2; ++run) {
      VisitItems items(nullptr);
      Fill_Part(state_, parameters, true, DefiningDocument(app_->active()), items);
    }
    EXPECT_EQ(parameters->items().size(), 2u);
  }
  EXPECT_ANY_THROW(product->parameters()->Call("Item", {"Length"}));  // the short name
  EXPECT_EQ(state_.FailureCount, 0);
}

// An enumerated parameter is made holding its default before its values are set: one
// interrupted in between holds a value that its user property's formula may carry.
TEST_F(FillPartTest, AFailureEndsTheCollectionAndKeepsWhatWasCreated) {
  Define({{"Finish", "None,Painted", "None"}});
  app_->host()->faults().Add("SetEnumerateValues", 1);
  FillPart("Washer.CATPart");
  EXPECT_EQ(Reported(), std::vector<std::string>{"Fill_Part"});
  EXPECT_EQ(Doc("Washer.CATPart").part()->parameters()->FindShort("Finish")->value(),
            Variant("None"));

  // A failure ends the collection and keeps what was created: the host refuses permitted
  // values that leave out the value held.
  Define({{"Grade", "String", "A"}, {"Colour", "Red,Green", "Yellow"}, {"Count", "Integer", "1"}});
  FillPart("Bolt.CATPart");
  EXPECT_EQ(Reported(), (std::vector<std::string>{"Fill_Part", "Fill_Part"}));
  const auto& parameters = Doc("Bolt.CATPart").part()->parameters();
  EXPECT_NE(parameters->FindShort("Grade"), nullptr);
  ASSERT_NE(parameters->FindShort("Colour"), nullptr);
  EXPECT_EQ(parameters->FindShort("Colour")->value(), Variant("Yellow"));
  EXPECT_TRUE(parameters->FindShort("Colour")->permitted().empty());
  EXPECT_EQ(parameters->FindShort("Count"), nullptr);
}

// The 16-bit row counter addresses rows 0 to 32767: a table of 32,768 rows is walked, one
// of 32,769 fails before its first row.
TEST_F(FillPartTest, TheRowCounterAddressesAtMost32768Rows) {
  for (const size_t count : {size_t{32768}, size_t{32769}}) {
    std::vector<ParameterRow> rows(count);
    for (size_t i = 0; i < count; ++i) rows[i] = {"P" + std::to_string(i), "String", ""};
    Define(std::move(rows));
    FillPart(count == 32768 ? "Washer.CATPart" : "Bolt.CATPart");
  }
  EXPECT_EQ(Doc("Washer.CATPart").part()->parameters()->items().size(), 32768u);
  EXPECT_EQ(Reported(), std::vector<std::string>{"Fill_Part"});
  EXPECT_EQ(Doc("Bolt.CATPart").part()->parameters()->FindShort("P0"), nullptr);
}

// A user property's value is taken for a new parameter only where it converts without loss.
TEST(ExactValueTest, OnlyWhatConvertsWithoutLossIsTaken) {
  const ParameterRow text{"T", "String", ""}, whole{"N", "integer", ""}, flag{"F", "Boolean", ""},
      list{"L", "Light,Heavy", ""};
  const std::optional<Variant> none;
  const struct {
    Variant value;
    const ParameterRow& row;
    std::optional<Variant> taken;
  } cases[] = {
      {int32_t{7}, text, Variant("7")},
      {true, text, Variant("true")},
      {8.5, text, none},
      {"12", whole, Variant(int32_t{12})},
      {-3.0, whole, Variant(int32_t{-3})},
      {12.5, whole, none},
      {"12 ", whole, none},
      {"99999999999", whole, none},
      {true, whole, none},
      {"TRUE", flag, Variant(true)},
      {int32_t{1}, flag, none},
      {"Heavy", list, Variant("Heavy")},
      {"", list, Variant("")},
      {"Medium", list, none},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExactValue(c.value, c.row), c.taken) << c.value.ToText() << " as " << c.row[1];
  }
}

}  // namespace
}  // namespace kelvort
