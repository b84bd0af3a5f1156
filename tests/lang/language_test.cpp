// Tests of the language texts: the current language, texts by key, the translation of a
// form's captions, and the shipped lang.xml.
#include "lang/language.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "forms/forms_fixture.h"
#include "forms/frm_main.h"
#include "forms/frm_settings.h"
#include "forms/toolkit/buttons.h"
#include "forms/toolkit/static_controls.h"
#include "forms/toolkit/text_box.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class TestForm : public Form {
 public:
  TestForm() : Form(FormSpec{.name = "frmTest", .caption = "Design", .tag = "Settings"}) {}
  using Form::Add;
};

class LanguageTest : public testing::FormsFixture {
 protected:
  LanguageTest() {
    WriteBytes(root() / "Config/lang.xml",
               "<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"yes\"?>\n"
               "<Texts>\n"
               "  <Settings Lang0=\"Settings\" Lang1=\"Einstellungen\"/>\n"
               "  <Save Lang0=\"Save\" Lang1=\"Speichern\"/>\n"
               "  <cancel Lang0=\"cancel (wrong case)\" Lang1=\"abbrechen\"/>\n"
               "  <OnlyEnglish Lang0=\"Only in English\"/>\n"
               "  <About Lang0=\"About\" Lang1=\"\xDC"
               "ber\"/>\n"
               "</Texts>\n");
    GetGlobalSettings(state_);
  }

  void Choose(int16_t language) { FormsOf(state_).frmSettings().optLang[language].SetValue(true); }
};

TEST_F(LanguageTest, CaptionsFollowTheChosenLanguageWhereLangXmlHasTheirText) {
  TestForm form;
  auto& save =
      form.Add<CommandButton>(ControlDesign{.name = "cmdSave", .caption = "S", .tag = "Save,1,x"});
  auto& cancel =
      form.Add<CommandButton>(ControlDesign{.name = "cmdCancel", .caption = "C", .tag = "Cancel"});
  auto& english_only =
      form.Add<Label>(ControlDesign{.name = "lblOnly", .caption = "design", .tag = "OnlyEnglish"});
  auto& untagged = form.Add<Label>(ControlDesign{.name = "lblFree", .caption = "free"});
  auto& about = form.Add<Label>(ControlDesign{.name = "lblAbout", .tag = "About"});

  EXPECT_EQ(GetLanguage(state_), "Lang0");
  SetLanguage(state_, form);
  EXPECT_EQ(save.Caption(), "Save");
  EXPECT_EQ(cancel.Caption(), "C") << "keys are compared with their letter case";
  EXPECT_EQ(english_only.Caption(), "Only in English");
  EXPECT_EQ(untagged.Caption(), "free");
  EXPECT_EQ(form.Caption(), "Kelvort - Settings");

  Choose(1);
  EXPECT_EQ(GetLanguage(state_), "Lang1");
  SetLanguage(state_, form);
  EXPECT_EQ(save.Caption(), "Speichern");
  EXPECT_EQ(english_only.Caption(), "Only in English") << "no German text: the caption stays";
  EXPECT_EQ(about.Caption(), "Über");
  EXPECT_EQ(form.Caption(), "Kelvort - Einstellungen");

  EXPECT_EQ(GetRightLangText(state_, "About"), "Über");
  EXPECT_EQ(GetRightLangText(state_, "OnlyEnglish"), "");
  EXPECT_EQ(GetRightLangText(state_, "Missing"), "") << "never the key itself";
  EXPECT_EQ(GetRightLangText(state_, "Cancel"), "");
  EXPECT_TRUE(Reported().empty());
}

TEST_F(LanguageTest, MissingTextsLeaveCaptionsAndGiveEmptyTexts) {
  TestForm form;
  auto& save =
      form.Add<CommandButton>(ControlDesign{.name = "cmdSave", .caption = "S", .tag = "Save,1"});

  // No option selected: no language, so no text matches.
  FormsOf(state_).frmSettings().optLang[0].SetValue(false);
  EXPECT_EQ(GetLanguage(state_), "");
  EXPECT_EQ(GetRightLangText(state_, "Save"), "");
  SetLanguage(state_, form);
  EXPECT_EQ(save.Caption(), "S");

  // While an error is pending, nothing is looked up.
  Choose(0);
  state_.ErrorOccurred = true;
  EXPECT_EQ(GetRightLangText(state_, "Save"), "");
  SetLanguage(state_, form);
  EXPECT_EQ(save.Caption(), "S");
  state_.ErrorOccurred = false;

  // Without lang.xml the captions keep their design texts.
  std::filesystem::remove(root() / "Config/lang.xml");
  EXPECT_EQ(GetRightLangText(state_, "Save"), "");
  SetLanguage(state_, form);
  EXPECT_EQ(save.Caption(), "S");
  EXPECT_EQ(form.Caption(), "Design");
  EXPECT_TRUE(Reported().empty());
}

TEST_F(LanguageTest, ATaggedControlWithoutCaptionEndsTheTranslation) {
  TestForm form;
  auto& before = form.Add<Label>(ControlDesign{.name = "lblA", .caption = "a", .tag = "Save"});
  form.Add<TextBox>(ControlDesign{.name = "txtA", .tag = "Save"});
  auto& after = form.Add<Label>(ControlDesign{.name = "lblB", .caption = "b", .tag = "Save"});

  SetLanguage(state_, form);
  EXPECT_EQ(before.Caption(), "Save");
  EXPECT_EQ(after.Caption(), "b");
  EXPECT_EQ(form.Caption(), "Design");
  EXPECT_EQ(Reported(), std::vector<std::string>{"SetLanguage"});
}

// The keys of every text the program looks up.
const std::vector<std::string> kProgramKeys = {"Extras",
                                               "Settings",
                                               "Foreground",
                                               "About",
                                               "Help",
                                               "English",
                                               "German",
                                               "Save",
                                               "Cancel",
                                               "Language",
                                               "Selectfile",
                                               "Filetype",
                                               "Filename",
                                               "Selectfolder",
                                               "Choice",
                                               "ThereisnotexactlyoneCATIAopened",
                                               "NodocumentloadedinCATIA",
                                               "Parametersuccessfullycreated",
                                               "ParametersCreatedWithErrors",
                                               "ParametersCreatedWithErrorsLogged",
                                               "Abort",
                                               "Thenameofaparameterismissing",
                                               "Thetypeofaparameterismissing",
                                               "Thedefaultvalueof",
                                               "iswrong",
                                               "ThevaluemustbeofthetypeInteger",
                                               "ThevaluemustbeofthetypeBoolean",
                                               "YouCantSaveSettingsLocal"};

TEST(ShippedLangXmlTest, HoldsEveryKeyInEnglishAndGermanInLatin1) {
  const std::filesystem::path file = std::filesystem::path(KELVORT_SOURCE_DIR) / "Config/lang.xml";
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"yes\"?>\n", 0),
            0u);
  EXPECT_NE(bytes.find("\"\xDC"
                       "ber\""),
            std::string::npos)
      << "umlauts as Latin-1 bytes";
  EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << "no UTF-8 sequences";

  testing::TestPlatform test;
  const XmlDocument texts = XmlDocument::Load(test.files, testing::ToWinPath(file));
  const XmlNode root = texts.ChildNodes().at(1);
  std::set<std::string> keys;
  for (const XmlNode& key : root.ChildNodes()) {
    ASSERT_EQ(key.Kind(), XmlNodeKind::kElement) << "the root holds only elements";
    keys.insert(key.Name());
  }
  for (const std::string& key : kProgramKeys) {
    EXPECT_TRUE(keys.count(key)) << key;
    const XmlNode element = root.SelectSingleNode(key);
    if (!element) continue;
    for (const char* language : {"Lang0", "Lang1"}) {
      EXPECT_FALSE(element.Attribute(language).Text().empty()) << key << " " << language;
    }
  }
  // The composed message reads as one sentence around the parameter's name.
  const auto text = [&](const char* key) {
    return root.SelectSingleNode(key).Attribute("Lang1").Text();
  };
  EXPECT_EQ(text("Thedefaultvalueof") + "Length" + text("iswrong"),
            "Der Vorgabewert des Parameters \"Length\" ist ungültig.");
}

}  // namespace
}  // namespace kelvort
