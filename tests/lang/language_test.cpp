// Tests of the language texts: the current language, texts by key and the translation of a
// form's captions.
#include "lang/language.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kelvort
