// Creating the missing parameters of one host collection.
#include "parameters/fill_part.h"

#include <gtest/gtest.h>

#include "parameters/standin_run_fixture.h"
#include "part.h"
#include "product.h"
#include "support/standin_documents.h"
#include "tree_text.h"

namespace kelvort {
namespace {

using Lines = std::vector<std::string>;

class FillPartTest : public testing::StandinRunFixture {
 protected:
  FillPartTest() {
    state_.ErrorLogPath = WinPath("Config");
    OpenHost({testing::WriteSmallAssembly(root())});
  }
  DispatchPtr PartParameters(std::string_view file) { return Doc(file).part()->parameters(); }
  DispatchPtr UserProperties(std::string_view file) { return Doc(file).product()->properties(); }
};

TEST_F(FillPartTest, EveryKindIsCreatedWithItsDefault) {
  Define({{"Flag", "Boolean", ""},
          {"Done", "BOOLEAN", "TRUE"},
          {"Count", "integer", ""},
          {"Even", "Integer", "2.5"},
          {"Odd", "Integer", "3.5"},
          {"Big", "Integer", "40000"},
          {"Weight", "Real", "1.5"},
          {"Colour", "Red,Green,Blue", "Green"},
          {"Pair", "A, B", ""},
          {"Open", "A,", ""}});
  Fill_Part(state_, PartParameters("Washer.CATPart"), true, app_->FindDocument("Washer.CATPart"));
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_EQ(TreeText(Doc("Washer.CATPart")), R"(PartDocument Washer.CATPart
  Product WASHER
    Part WASHER
      Parameters
        Flag (Boolean) = false
        Done (Boolean) = true
        Count (Integer) = 0
        Even (Integer) = 2
        Odd (Integer) = 4
        Big (Integer) = 40000
        Weight (String) = "1.5"
        Colour (String) = "Green"  permitted: "Red", "Green", "Blue"
        Pair (String) = ""  permitted: "A", " B"
        Open (String) = ""  permitted: "A", ""
)");

  // A German number format reads the comma.
  test_.platform.formats.decimal_separator = ",";
  Define({{"Even", "Integer", "2,5"}, {"Odd", "Integer", "-3,5"}});
  Fill_Part(state_, UserProperties("Washer.CATPart"), false, app_->FindDocument("Washer.CATPart"));
  const Lines created = Creations();
  EXPECT_EQ(
      Lines(created.end() - 2, created.end()),
      (Lines{R"(Parameters.CreateInteger("Even", 2))", R"(Parameters.CreateInteger("Odd", -4))"}));
}

TEST_F(FillPartTest, WhatExistsIsLeftAsItIs) {
  const std::string before = TreeText(Doc("Bolt.CATPart"));
  // Length exists as a real, Finish with other permitted values: neither is touched.
  Define({{"Length", "Integer", "5"}, {"Finish", "A,B", "A"}});
  Fill_Part(state_, PartParameters("Bolt.CATPart"), true, app_->FindDocument("Bolt.CATPart"));
  EXPECT_TRUE(Creations().empty());
  EXPECT_FALSE(Doc("Bolt.CATPart").changed());

  // The second of two rows of the same name finds what the first created.
  Define({{"Grade", "String", "A"}, {"Grade", "Integer", "1"}});
  Fill_Part(state_, PartParameters("Bolt.CATPart"), true, app_->FindDocument("Bolt.CATPart"));
  EXPECT_EQ(Creations(), Lines{R"(Parameters.CreateString("Grade", "A"))"});
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_NE(TreeText(Doc("Bolt.CATPart")), before);
}

TEST_F(FillPartTest, AProductDocumentsParametersAreLookedUpUnderTheProductsName) {
  const DispatchPtr assembly = app_->active();
  const auto& product = Doc("Asm.CATProduct").product();
  const auto& component = Doc("Asm.CATProduct").FindComponent("SUB");
  Define({{"Length", "String", ""}, {"Grade", "String", ""}});
  Fill_Part(state_, product->parameters(), true, assembly);
  Fill_Part(state_, product->properties(), false, assembly);
  Fill_Part(state_, component->parameters(), true, assembly);
  // In a part document the bare name is asked for, also for the parameters.
  Fill_Part(state_, PartParameters("Bolt.CATPart"), true, app_->FindDocument("Bolt.CATPart"));
  EXPECT_EQ(Calls({"Item", "CreateString"}),
            (Lines{R"(Parameters.Item("ASM\Length"))", R"(Parameters.Item("ASM\Grade"))",
                   R"(Parameters.CreateString("Grade", ""))", R"(Parameters.Item("Length"))",
                   R"(Parameters.Item("Grade"))", R"(Parameters.CreateString("Grade", ""))",
                   R"(Parameters.Item("SUB\Length"))", R"(Parameters.CreateString("Length", ""))",
                   R"(Parameters.Item("SUB\Grade"))", R"(Parameters.CreateString("Grade", ""))",
                   R"(Parameters.Item("Length"))", R"(Parameters.Item("Grade"))",
                   R"(Parameters.CreateString("Grade", ""))"}));
  EXPECT_EQ(state_.FailureCount, 0);
  // The product's name is read once per collection, not once per row.
  EXPECT_EQ(Calls({"Name"}).size(), 2u);
}

// An enumerated parameter is made holding its default before its values are set: one
// interrupted in between holds a value that its user property's formula may carry.
TEST_F(FillPartTest, AnInterruptedEnumeratedParameterHoldsItsDefault) {
  Define({{"Finish", "None,Painted", "None"}});
  app_->host()->faults().Add("SetEnumerateValues", 1);
  Fill_Part(state_, PartParameters("Washer.CATPart"), true, app_->FindDocument("Washer.CATPart"));
  EXPECT_EQ(Reported(), Lines{"Fill_Part"});
  EXPECT_EQ(Doc("Washer.CATPart").part()->parameters()->FindShort("Finish")->value(),
            Variant("None"));
}

TEST_F(FillPartTest, AFailureEndsTheCollectionAndKeepsWhatWasCreated) {
  const DispatchPtr washer = app_->FindDocument("Washer.CATPart");
  // The host refuses permitted values that leave out the value held.
  Define({{"Grade", "String", "A"}, {"Colour", "Red,Green", "Yellow"}, {"Count", "Integer", "1"}});
  Fill_Part(state_, PartParameters("Washer.CATPart"), true, washer);
  EXPECT_EQ(Reported(), Lines{"Fill_Part"});
  const auto& parameters = Doc("Washer.CATPart").part()->parameters();
  EXPECT_NE(parameters->FindShort("Grade"), nullptr);
  ASSERT_NE(parameters->FindShort("Colour"), nullptr);
  EXPECT_EQ(parameters->FindShort("Colour")->value(), Variant("Yellow"));
  EXPECT_TRUE(parameters->FindShort("Colour")->permitted().empty());
  EXPECT_EQ(parameters->FindShort("Count"), nullptr);

  // The raised failure flag does not stop the next collection.
  Fill_Part(state_, UserProperties("Washer.CATPart"), false, washer);
  EXPECT_EQ(Reported(), (Lines{"Fill_Part", "Fill_Part"}));
  EXPECT_NE(Doc("Washer.CATPart").product()->properties()->FindShort("Grade"), nullptr);

  // Tables that the definitions' reading could not complete, and a number beyond 32 bits.
  const std::vector<ParameterTable> broken = {
      ParameterTable{}, ParameterTable{{{"Valid", "String", ""}, ParameterRow{}}},
      ParameterTable{{{"Typeless", "", ""}}}, ParameterTable{{{"Huge", "Integer", "3000000000"}}}};
  for (const ParameterTable& table : broken) {
    state_.ParameterDefs = table;
    Fill_Part(state_, Doc("Bolt.CATPart").product()->properties(), false,
              app_->FindDocument("Bolt.CATPart"));
  }
  EXPECT_EQ(Reported().size(), 6u);
  EXPECT_EQ(Reported().back(), "Fill_Part");
  const auto& bolt_properties = Doc("Bolt.CATPart").product()->properties();
  EXPECT_NE(bolt_properties->FindShort("Valid"), nullptr);
  EXPECT_EQ(bolt_properties->FindShort("Huge"), nullptr);
  EXPECT_EQ(state_.FailureCount, 6);
}

}  // namespace
}  // namespace kelvort
