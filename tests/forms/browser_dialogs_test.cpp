// Tests of the file and folder dialogs as a user goes through them on a real folder tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/forms_fixture.h"
#include "forms/frm_file_browser.h"
#include "forms/frm_folder_browser.h"
#include "forms/show_formular.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

class BrowserDialogsTest : public testing::FormsFixture {
 protected:
  BrowserDialogsTest() {
    std::filesystem::create_directories(root() / "Data/Beta");
    for (const char* file : {"Data/report.txt", "Data/plan.xml"})
      testing::WriteBytes(root() / file, "x");
    GetGlobalSettings(state_);
  }

  // Shows a dialog; the user opens the Data folder (coming from the folder above, wherever
  // the dialog stood), then does the rest. Answers the dialog, for its answer to be read.
  template <typename Dialog>
  Dialog& Ask(FormId id, std::function<void(Dialog&)> then) {
    renderer().Then<Dialog>([this, then](Dialog& dialog) {
      dialog.lstDir.SetPath(WinPath(""));
      dialog.lstDir.SetPath(WinPath("Data"));
      then(dialog);
    });
    ShowFormular(state_, id);
    return dynamic_cast<Dialog&>(FormsOf(state_).Get(id));
  }
  std::string AskForFile(std::function<void(FrmFileBrowser&)> then) {
    return Ask<FrmFileBrowser>(FormId::kFileBrowser, std::move(then)).txtFile.Text();
  }
  std::string AskForFolder(std::function<void(FrmFolderBrowser&)> then) {
    return Ask<FrmFolderBrowser>(FormId::kFolderBrowser, std::move(then)).txtFolder.Text();
  }
};

TEST_F(BrowserDialogsTest, FileDialogAnswersTheTypedOrChosenFile) {
  const std::string data = WinPath("Data");
  // A typed name is taken in the open folder, a typed path as it stands; Cancel and an empty
  // answer give none.
  const struct {
    const char* typed;
    bool ok;
    std::string answer;
  } typed_cases[] = {{"report.txt", true, data + "\\report.txt"},
                     {"sub\\report.txt", true, "sub\\report.txt"},
                     {"report.txt", false, ""},
                     {"", true, ""}};
  for (const auto& [typed, ok, answer] : typed_cases) {
    EXPECT_EQ(AskForFile([&](FrmFileBrowser& dialog) {
                dialog.txtFile.UserType(typed);
                (ok ? dialog.cmdOK : dialog.cmdCancel).UserClick();
              }),
              answer)
        << typed;
  }
  EXPECT_FALSE(FormsOf(state_).frmFileBrowser().Visible());

  // Opening a folder shows it in the answer; clicking a file puts folder and name there.
  EXPECT_EQ(AskForFile([&](FrmFileBrowser& dialog) {
              EXPECT_EQ(dialog.txtFile.Text(), data);
              EXPECT_EQ(dialog.txtFile.SelStart(), static_cast<int32_t>(data.size()));
              EXPECT_TRUE(dialog.txtFile.HasFocus());
              const std::vector<std::string> files = testing::Items(dialog.lstFile);
              const auto plan = std::find(files.begin(), files.end(), "plan.xml") - files.begin();
              EXPECT_TRUE(dialog.lstFile.UserSelect(static_cast<int16_t>(plan)));
              dialog.cmdOK.UserClick();
            }),
            data + "\\plan.xml");

  EXPECT_EQ(renderer().shown.size(), 5u);
  EXPECT_TRUE(Reported().empty());
}

TEST_F(BrowserDialogsTest, FolderDialogCreatesTheChosenFolder) {
  FormsOf(state_).frmFolderBrowser();
  const auto before = Snapshot();
  EXPECT_EQ(AskForFolder([](FrmFolderBrowser& dialog) {
              dialog.txtFolder.UserType("Fresh");
              dialog.cmdCancel.UserClick();
            }),
            "");
  EXPECT_EQ(Snapshot(), before);

  EXPECT_EQ(AskForFolder([](FrmFolderBrowser& dialog) {
              dialog.txtFolder.UserType("Fresh");
              dialog.cmdOK.UserClick();
            }),
            WinPath("Data\\Fresh"));
  EXPECT_TRUE(std::filesystem::is_directory(root() / "Data/Fresh"));

  EXPECT_EQ(FormsOf(state_).frmFolderBrowser().Caption(),
            "Kelvort - " + Shipped("Selectfolder", "Lang0"));
  EXPECT_TRUE(Reported().empty());
}

}  // namespace
}  // namespace kelvort
