// Tests of the main window and the settings dialog it opens, as a user goes through them:
// loading, the stay-on-top switch, the help page, unloading; the language's Save, Cancel and
// the shared read-only settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms_fixture.h"
#include "forms/frm_about.h"
#include "forms/frm_main.h"
#include "forms/frm_settings.h"
#include "lang/language.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

class MainWindowTest : public testing::FormsFixture {
 protected:
  // Opens the settings dialog from the menu and chooses a language; then presses the button.
  void ChooseLanguage(FrmMain& main, int16_t language, bool save) {
    renderer().Then<FrmSettings>([language, save](FrmSettings& dialog) {
      EXPECT_TRUE(dialog.optLang[language].UserClick());
      EXPECT_TRUE((save ? dialog.cmdSave : dialog.cmdCancel).UserClick());
    });
    EXPECT_TRUE(main.menSettings.UserClick());
  }
};

TEST_F(MainWindowTest, LoadingGivesCaptionTextsAndTheStoredStayOnTopMark) {
  WriteUserSettings(
      "<frmMain><Controls><menForeground Enabled='True' Checked='-1'/>"
      "</Controls></frmMain>");
  // As the run starts: the settings are read, then a pending failure does not stop the
  // window's own start.
  GetGlobalSettings(state_);
  state_.ErrorOccurred = true;

  FrmMain& main = FormsOf(state_).frmMain();
  EXPECT_EQ(main.Caption(), "Kelvort -  " + std::string(kVersion));
  EXPECT_FALSE(state_.ErrorOccurred);
  EXPECT_EQ(main.menForeground.Caption(), Shipped("Foreground", "Lang0"));
  EXPECT_TRUE(main.menForeground.Checked());
  EXPECT_FALSE(test_.windows.IsTopmost(main.hWnd())) << "restoring the mark runs no Click";
  EXPECT_TRUE(Reported().empty());
}

TEST_F(MainWindowTest, StayOnTopSwitchesTheMainWindowAndLaterDialogs) {
  FrmMain& main = ShowMainWindow();
  const auto close_settings = [](FrmSettings& dialog) { dialog.cmdCancel.UserClick(); };

  for (const bool on : {true, false}) {
    main.menForeground.UserClick();
    EXPECT_EQ(main.menForeground.Checked(), on);
    EXPECT_EQ(test_.windows.IsTopmost(main.hWnd()), on);
    renderer().Then<FrmSettings>(close_settings);
    main.menSettings.UserClick();
  }
  renderer().Then<FrmAbout>([](FrmAbout& about) { about.cmdOK.UserClick(); });
  main.menAbout.UserClick();

  EXPECT_EQ(renderer().shown, (std::vector<std::string>{"frmSettings", "frmSettings", "frmAbout"}));
  EXPECT_EQ(renderer().shown_topmost, (std::vector<bool>{true, false, false}));
  EXPECT_TRUE(Reported().empty());
}

// No page or no shell: the common error message, and nothing escapes the menu event.
TEST_F(MainWindowTest, HelpThatCannotBeOpenedShowsTheErrorMessage) {
  FrmMain& main = ShowMainWindow();
  test_.shell.failure = RunError(errors::kFileNotFound);
  EXPECT_NO_THROW(main.menHelp.UserClick());
  EXPECT_EQ(Reported(), std::vector<std::string>{"menHelp_Click"});
}

TEST_F(MainWindowTest, UnloadedFormLoadsAfreshWithANewWindow) {
  FrmSettings& first = FormsOf(state_).frmSettings();
  const WindowHandle first_window = first.hWnd();
  first.optLang[1].SetValue(true);
  FormsOf(state_).Unload(FormId::kSettings);

  // The next access runs Form_Load again: the stored choice (none: English) is back.
  FrmSettings& again = FormsOf(state_).frmSettings();
  EXPECT_TRUE(again.optLang[0].Value());
  EXPECT_NE(again.hWnd(), first_window);
}

// Cancel returns to the stored choice and writes nothing; Save stores the choice and
// translates both forms.
TEST_F(MainWindowTest, SettingsSaveStoresTheChoiceAndCancelReturnsToTheStoredOne) {
  FrmMain& main = ShowMainWindow();
  FrmSettings& dialog = FormsOf(state_).frmSettings();
  EXPECT_TRUE(dialog.optLang[0].Value()) << "English, as designed, with nothing stored";
  const auto before = Snapshot();
  ChooseLanguage(main, 1, false);
  EXPECT_EQ(GetLanguage(state_), "Lang0");
  EXPECT_EQ(main.menSettings.Caption(), Shipped("Settings", "Lang0"));
  EXPECT_EQ(Snapshot(), before);

  ChooseLanguage(main, 1, true);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(GetLanguage(state_), "Lang1");
  EXPECT_EQ(main.menExtras.Caption(), Shipped("Extras", "Lang1"));
  EXPECT_EQ(dialog.Caption(), "Kelvort - " + Shipped("Settings", "Lang1"));
  EXPECT_EQ(dialog.lblSprache.Caption(), Shipped("Language", "Lang1"));
  const std::string saved = UserSettings();
  EXPECT_NE(saved.find("<Index_0 Enabled=\"True\" Value=\"False\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Index_1 Enabled=\"True\" Value=\"True\""), std::string::npos) << saved;

  const auto stored = Snapshot();
  ChooseLanguage(main, 0, false);
  EXPECT_EQ(GetLanguage(state_), "Lang1");
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(Snapshot(), stored);
  EXPECT_EQ(renderer().shown.size(), 3u);
  EXPECT_TRUE(Reported().empty());
}

TEST_F(MainWindowTest, SettingsSaveWithSharedReadOnlySettingsHoldsForThisRunOnly) {
  WriteShared(testing::SettingsXml("<UseConfig Value='True' OnlyReadConfig='TRUE'/>"));
  FrmMain& main = ShowMainWindow();
  ASSERT_EQ(state_.SettingsMode, SettingsSource::kShared);
  const auto before = Snapshot();

  ChooseLanguage(main, 1, true);
  const std::vector<testing::ShownBox> refusal = {
      {"Kelvort", Shipped("YouCantSaveSettingsLocal", "Lang1")}};
  EXPECT_EQ(test_.message_boxes.boxes, refusal);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(main.menAbout.Caption(), Shipped("About", "Lang1"));
  EXPECT_FALSE(FormsOf(state_).frmSettings().Visible());
  EXPECT_EQ(state_.FailureCount, 0);
}

}  // namespace
}  // namespace kelvort
