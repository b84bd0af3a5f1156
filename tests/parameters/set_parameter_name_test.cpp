// Reading and checking the parameter definitions of Settings.xml.
#include "parameters/set_parameter_name.h"

#include <gtest/gtest.h>

#include "forms/forms_fixture.h"

namespace kelvort {
namespace {

class SetParameterNameTest : public testing::FormsFixture {
 protected:
  SetParameterNameTest() { state_.SettingsPath = WinPath("Config"); }

  // Settings.xml with the given Parameters subtree; a new run state and no boxes yet.
  void Settings(const std::string& parameters) {
    WriteShared(testing::kDeclarationLine + "<SETTINGS>" + parameters + "</SETTINGS>\n");
    state_.ParameterDefs.reset();
    state_.ErrorOccurred = false;
    test_.message_boxes.boxes.clear();
  }
  void Settings(const std::vector<ParameterRow>& definitions) {
    std::string parameters = "<Parameters>";
    for (const auto& [name, type, default_value] : definitions) {
      parameters += "<Parameter Name=\"" + name + "\" Type=\"" + type + "\" Default=\"" +
                    default_value + "\"/>";
    }
    Settings(parameters + "</Parameters>");
  }

  std::string T(const std::string& key) const { return Shipped(key, "Lang0"); }
  testing::ShownBox Rejection(const std::string& text) const { return {T("Abort"), text}; }
  testing::ShownBox WrongDefault(const std::string& name, const std::string& type_key) const {
    return Rejection(T("Thedefaultvalueof") + name + T("iswrong") + "\r\n" + T(type_key));
  }
  const std::vector<testing::ShownBox>& Boxes() const { return test_.message_boxes.boxes; }
};

TEST_F(SetParameterNameTest, EachRejectionShowsItsOneMessage) {
  const struct {
    ParameterRow definition;
    testing::ShownBox box;
  } cases[] = {
      {{"", "String", "x"}, Rejection(T("Thenameofaparameterismissing"))},
      {{"Length", "", "x"}, Rejection(T("Thetypeofaparameterismissing"))},
      // No formula search can express a name that holds a single quote.
      {{"Cap's", "String", "x"}, Rejection(T("Thenameofaparameterholdsaquote") + "\r\nCap's")},
      // A formula's body holding a backslash would read another parameter.
      {{"Set.1\\Mat", "String", ""},
       Rejection(T("Thenameofaparameterholdsabackslash") + "\r\nSet.1\\Mat")},
      // A permitted value only as written: SetEnumerateValues would refuse any other.
      {{"Kind", "red,green", "Red"},
       Rejection(T("Thedefaultvalueof") + "Kind" + T("iswrong") + "\r\n" +
                 T("ThevaluemustbeoneofthepermittedvaluesPrefix") + "red,green")},
      {{"Length", "Integer", "abc"}, WrongDefault("Length", "ThevaluemustbeofthetypeInteger")},
      // Numeric, but beyond what the host's 32-bit integers hold.
      {{"Big", "integer", "2147483648"}, WrongDefault("Big", "ThevaluemustbeofthetypeInteger")},
      {{"Done", "BOOLEAN", "yes"}, WrongDefault("Done", "ThevaluemustbeofthetypeBoolean")},
  };
  for (const auto& [definition, box] : cases) {
    Settings({definition});
    EXPECT_EQ(SetParameterName(state_), DefinitionResult::kRejected)
        << definition[0] << " " << definition[2];
    EXPECT_EQ(Boxes(), std::vector<testing::ShownBox>{box});
  }
  EXPECT_EQ(state_.FailureCount, 0);
  EXPECT_NE(T("Thedefaultvalueof"), "");  // the shipped texts were found
}

TEST_F(SetParameterNameTest, AcceptedDefinitionsAreKeptAsWritten) {
  const std::vector<ParameterRow> definitions = {
      {"Length", "Integer", "12"},      {"Length", "integer", "-3"},  // same name twice
      {"Half", "INTEGER", "1.5"},       {"Edge", "Integer", " -2147483648 "},
      {"Top", "Integer", "2147483647"}, {"Done", "BOOLEAN", "TRUE"},
      {"Open", "boolean", "False"},     {"Word", "integer ", "abc"},  // not the word
      {"Weight", "Real", "abc"},        {"Kind", "red,green,blue", "green"},
      {" Padded ", "String", " x "},    {"Count", "Integer", ""},
      {"Flag", "Boolean", ""},          {"Pick", "a,b", ""},
  };
  Settings(definitions);
  EXPECT_EQ(SetParameterName(state_), DefinitionResult::kAccepted);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(state_.ParameterDefs, definitions);
}

// Without a Parameters element the table stays undimensioned, and the failure is reported.
TEST_F(SetParameterNameTest, SettingsWithoutDefinitionsAreReported) {
  Settings("<Other/>");
  EXPECT_EQ(SetParameterName(state_), DefinitionResult::kAccepted);
  EXPECT_EQ(Reported(), std::vector<std::string>{"SetParameterName"});
  EXPECT_FALSE(state_.ParameterDefs.has_value());
  EXPECT_EQ(state_.FailureCount, 1);
}

// The 16-bit row counter steps beyond the last row: 32,768 definitions overflow it.
TEST_F(SetParameterNameTest, TheRowCounterHoldsAtMost32767Definitions) {
  for (const size_t count : {size_t{32767}, size_t{32768}}) {
    std::string parameters = "<Parameters>";
    for (size_t i = 0; i < count; ++i) {
      parameters += "<Parameter Name=\"P" + std::to_string(i) + "\" Type=\"String\" Default=\"\"/>";
    }
    Settings(parameters + "</Parameters>");
    EXPECT_EQ(SetParameterName(state_), DefinitionResult::kAccepted);
    const bool overflows = count == 32768;
    EXPECT_EQ(Boxes().size(), overflows ? 1u : 0u) << count;
    EXPECT_EQ(Boxes().empty() ? "" : Boxes()[0].text,
              overflows ? "SetParameterName  6\r\nOverflow" : "");
    EXPECT_EQ(state_.FailureCount, overflows ? 1 : 0);
  }
}

}  // namespace
}  // namespace kelvort
