// Tests of the settings dialog as a user goes through it: Save, Cancel and the shared
// read-only settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/forms_fixture.h"
#include "forms/frm_main.h"
#include "forms/frm_settings.h"
#include "lang/language.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

using testing::kDeclarationLine;
using testing::ShownBox;

class SettingsDialogTest : public testing::FormsFixture {
 protected:
  // Opens the dialog from the menu and chooses a language; then presses the button.
  void ChooseLanguage(FrmMain& main, int16_t language, bool save) {
    renderer().Then<FrmSettings>([language, save](FrmSettings& dialog) {
      EXPECT_TRUE(dialog.optLang[language].UserClick());
      EXPECT_TRUE((save ? dialog.cmdSave : dialog.cmdCancel).UserClick());
    });
    EXPECT_TRUE(main.menSettings.UserClick());
  }
};

TEST_F(SettingsDialogTest, SaveStoresTheChoiceAndTranslatesBothForms) {
  FrmMain& main = ShowMainWindow();
  FrmSettings& dialog = FormsOf(state_).frmSettings();
  EXPECT_TRUE(dialog.optLang[0].Value()) << "English, as designed, with nothing stored";
  EXPECT_EQ(main.menSettings.Caption(), Shipped("Settings", "Lang0"));
  EXPECT_EQ(dialog.cmdSave.Caption(), Shipped("Save", "Lang0"));

  ChooseLanguage(main, 1, true);
  EXPECT_EQ(renderer().shown, std::vector<std::string>{"frmSettings"});
  EXPECT_TRUE(FormsOf(state_).IsLoaded(FormId::kSettings));
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(GetLanguage(state_), "Lang1");
  for (const auto& [menu, key] : std::vector<std::pair<Menu*, const char*>>{
           {&main.menExtras, "Extras"}, {&main.menSettings, "Settings"}, {&main.menHelp, "Help"}}) {
    EXPECT_EQ(menu->Caption(), Shipped(key, "Lang1")) << key;
  }
  EXPECT_EQ(main.Caption(), "Kelvort -  1.000.04");
  EXPECT_EQ(dialog.Caption(), "Kelvort - " + Shipped("Settings", "Lang1"));
  EXPECT_EQ(dialog.lblSprache.Caption(), Shipped("Language", "Lang1"));
  const std::string saved = UserSettings();
  EXPECT_NE(saved.find("<Index_0 Enabled=\"True\" Value=\"False\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Index_1 Enabled=\"True\" Value=\"True\""), std::string::npos) << saved;
  EXPECT_TRUE(Reported().empty());

  // The next start of the program finds German chosen.
  RunState next_run(test_.platform);
  Forms next_run_forms{next_run};
  GetGlobalSettings(next_run);
  EXPECT_EQ(GetLanguage(next_run), "Lang1");
  EXPECT_EQ(FormsOf(next_run).frmMain().menHelp.Caption(), Shipped("Help", "Lang1"));
}

TEST_F(SettingsDialogTest, CancelRevertsToTheStoredChoiceWithoutWriting) {
  FrmMain& main = ShowMainWindow();
  const auto before = Snapshot();

  ChooseLanguage(main, 1, false);
  EXPECT_EQ(GetLanguage(state_), "Lang0");
  EXPECT_FALSE(FormsOf(state_).frmSettings().Visible());
  EXPECT_EQ(main.menSettings.Caption(), Shipped("Settings", "Lang0"));

  EXPECT_EQ(Snapshot(), before);

  // With German stored, Cancel returns to it.
  ChooseLanguage(main, 1, true);
  const auto saved = Snapshot();
  ChooseLanguage(main, 0, false);
  EXPECT_EQ(GetLanguage(state_), "Lang1");
  EXPECT_EQ(Snapshot(), saved);
  EXPECT_EQ(renderer().shown.size(), 3u);
  EXPECT_TRUE(Reported().empty());
}

TEST_F(SettingsDialogTest, SaveWithSharedReadOnlySettingsAppliesTheChoiceForThisRunOnly) {
  WriteShared(kDeclarationLine +
              "<SETTINGS><UseConfig Value='True' OnlyReadConfig='TRUE'/></SETTINGS>\n");
  FrmMain& main = ShowMainWindow();
  ASSERT_EQ(state_.SettingsMode, 0);
  const auto before = Snapshot();

  ChooseLanguage(main, 1, true);
  const std::vector<ShownBox> refusal = {{"Kelvort", Shipped("YouCantSaveSettingsLocal", "Lang1")}};
  EXPECT_EQ(test_.message_boxes.boxes, refusal);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(main.menAbout.Caption(), Shipped("About", "Lang1"));
  EXPECT_FALSE(FormsOf(state_).frmSettings().Visible());
  EXPECT_EQ(state_.FailureCount, 0);
}

}  // namespace
}  // namespace kelvort
