// Tests of the main window: loading, the stay-on-top switch, the help page, ShowFormular and
// unloading.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "forms/forms_fixture.h"
#include "forms/frm_about.h"
#include "forms/frm_folder_browser.h"
#include "forms/frm_main.h"
#include "forms/frm_settings.h"
#include "forms/show_formular.h"
#include "forms/toolkit/headless_renderer.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

using testing::WriteBytes;

using MainWindowTest = testing::FormsFixture;

TEST_F(MainWindowTest, LoadingGivesCaptionTextsAndTheStoredStayOnTopMark) {
  std::filesystem::create_directories(UserFolder());
  WriteBytes(UserFolder() / "Settings.xml",
             testing::kDeclarationLine +
                 "<SETTINGS><frmMain><Controls><menForeground Enabled='True' Checked='-1'/>"
                 "</Controls></frmMain></SETTINGS>\n");
  // As the run starts: the settings are read, then a pending failure does not stop the
  // window's own start.
  GetGlobalSettings(state_);
  state_.ErrorOccurred = true;

  FrmMain& main = FormsOf(state_).frmMain();
  EXPECT_EQ(main.Caption(), "Kelvort -  1.000.04");
  EXPECT_FALSE(state_.ErrorOccurred);
  EXPECT_EQ(main.menForeground.Caption(), Shipped("Foreground", "Lang0"));
  EXPECT_TRUE(main.menForeground.Checked());
  EXPECT_FALSE(test_.windows.IsTopmost(main.hWnd())) << "restoring the mark runs no Click";
  EXPECT_TRUE(FormsOf(state_).IsLoaded(FormId::kSettings)) << "the language lives on frmSettings";
  EXPECT_TRUE(Reported().empty());
}

TEST_F(MainWindowTest, StayOnTopSwitchesTheMainWindowAndLaterDialogs) {
  FrmMain& main = ShowMainWindow();
  const auto close_settings = [](FrmSettings& dialog) { dialog.cmdCancel.UserClick(); };

  main.menForeground.UserClick();
  EXPECT_TRUE(main.menForeground.Checked());
  EXPECT_TRUE(test_.windows.IsTopmost(main.hWnd()));
  renderer().Then<FrmSettings>(close_settings);
  main.menSettings.UserClick();

  main.menForeground.UserClick();
  EXPECT_FALSE(main.menForeground.Checked());
  EXPECT_FALSE(test_.windows.IsTopmost(main.hWnd()));
  renderer().Then<FrmSettings>(close_settings);
  main.menSettings.UserClick();
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
}  // namespace
}  // namespace kelvort
