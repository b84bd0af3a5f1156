// Tests of GetGlobalSettings, SetUserPath and GetXMLSettings on a real folder layout.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/settings_fixture.h"
#include "settings/xml_helpers.h"
#include "support/file_size_limit.h"

namespace kelvort {
namespace {

namespace fs = std::filesystem;
using testing::kDeclarationLine;
using testing::ReadBytes;
using testing::ToWinPath;
using testing::WriteBytes;

std::string SharedWith(const std::string& settings_children) {
  return kDeclarationLine + "<SETTINGS>" + settings_children + "</SETTINGS>\n";
}

std::string UseConfig(const std::string& attributes) {
  return SharedWith("<UseConfig " + attributes + "/>");
}

class SettingsFileTest : public testing::SettingsFixture {
 protected:
  std::string UserFolderWin() const { return ToWinPath(UserFolder()); }
  std::string ConfigFolderWin() const { return WinPath("Config"); }
};

TEST_F(SettingsFileTest, WithoutAUsableSharedFileEachUserGetsAnEmptySettingsFile) {
  const std::vector<std::string> unusable = {
      "",
      "<?xml version=\"1.0\"?><SETTINGS><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/>",
      "UseConfig Value=true",
      kDeclarationLine + "<CONFIG><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/></CONFIG>",
  };
  for (const std::string& shared : unusable) {
    SCOPED_TRACE(shared);
    fs::remove_all(root() / "appdata");
    WriteShared(shared);
    GetGlobalSettings(state_);
    EXPECT_EQ(state_.SettingsMode, 1);
    EXPECT_EQ(state_.SettingsPath, UserFolderWin());
    EXPECT_EQ(state_.ErrorLogPath, UserFolderWin());
    EXPECT_TRUE(fs::is_directory(UserFolder()));
    EXPECT_EQ(ReadBytes(root() / "Config/Settings.xml"), shared);
  }
  EXPECT_TRUE(Reported().empty());

  // No shared file at all: the first use writes a Settings.xml with an empty SETTINGS root.
  fs::remove(root() / "Config/Settings.xml");
  GetGlobalSettings(state_);
  EXPECT_EQ(state_.SettingsMode, 1);
  const XmlDocument settings = GetXMLSettings(state_, state_.SettingsPath);
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), kDeclarationLine + "<SETTINGS />\n");
  EXPECT_EQ(settings.Url(), UserFolderWin() + "\\Settings.xml");
  const XmlNode root_node = GetXMLRootNode(state_, settings);
  ASSERT_TRUE(root_node);
  EXPECT_TRUE(root_node.ChildNodes().empty());
  EXPECT_FALSE(fs::exists(root() / "Config/Settings.xml"));
  EXPECT_TRUE(Reported().empty());
}

TEST_F(SettingsFileTest, UseConfigChoosesTheMode) {
  struct Case {
    std::string shared;
    int mode;
    bool per_user;
  };
  const std::vector<Case> cases = {
      {UseConfig("Value=\"TRUE\" OnlyReadConfig=\"tRuE\""), 0, false},
      {UseConfig("Value=\"true\" OnlyReadConfig=\"false\""), 2, true},
      {UseConfig("Value=\"True\" OnlyReadConfig=\"\""), 2, true},
      {UseConfig("Value=\"false\""), 1, true},
      {UseConfig("Value=\"\" OnlyReadConfig=\"true\""), 1, true},
      {UseConfig("Value=\" true\" OnlyReadConfig=\"true\""), 1, true},
      {UseConfig("Value=\"1\" OnlyReadConfig=\"true\""), 1, true},
      {SharedWith(
           "<UseConfig Value=\"false\"/><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/>"),
       1, true},
      // A comment in front of the root does not hide the keys from their selection.
      {kDeclarationLine + "<!-- shared -->\n" +
           "<SETTINGS><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/></SETTINGS>",
       0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shared);
    fs::remove_all(root() / "appdata");
    fs::create_directory(root() / "appdata");
    WriteShared(c.shared);
    GetGlobalSettings(state_);
    EXPECT_EQ(state_.SettingsMode, c.mode);
    const std::string expected_path = c.per_user ? UserFolderWin() : ConfigFolderWin();
    EXPECT_EQ(state_.SettingsPath, expected_path);
    EXPECT_EQ(state_.ErrorLogPath, expected_path);
    EXPECT_EQ(fs::exists(root() / "appdata/brannick"), c.per_user);
  }
  EXPECT_TRUE(Reported().empty());
}

TEST_F(SettingsFileTest, KeysWithoutTheirAttributesAreReportedAndLeaveTheRestUnset) {
  struct Case {
    std::string shared;
    std::string reported_by;
    std::string settings_path;
    std::string error_log_path;
  };
  const std::string user = ToWinPath(root() / "appdata/brannick/Kelvort");
  const std::vector<Case> cases = {
      {UseConfig(""), "GetGlobalSettings", "", ""},
      {UseConfig("Value=\"true\""), "GetGlobalSettings", "", ""},
      {SharedWith("<ErrorPath/>"), "GetGlobalSettings", user, ""},
      {SharedWith("<SavePath/>"), "SetUserPath", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shared);
    StartAfresh();
    fs::remove_all(root() / "appdata");
    fs::create_directory(root() / "appdata");
    WriteShared(c.shared);
    GetGlobalSettings(state_);
    EXPECT_EQ(Reported(), std::vector<std::string>{c.reported_by});
    EXPECT_TRUE(state_.ErrorOccurred);
    EXPECT_EQ(state_.SettingsPath, c.settings_path);
    EXPECT_EQ(state_.ErrorLogPath, c.error_log_path);
    EXPECT_EQ(fs::exists(root() / "appdata/brannick"), !c.settings_path.empty());
  }
}

TEST_F(SettingsFileTest, SavePathAndErrorPathAreNormalised) {
  test_.environment.Set("KELVORT_LOGS", (root() / "logs").string());
  WriteShared(
      SharedWith("<SavePath Path=\"\\..\\Users\\me\\\"/>"
                 "<ErrorPath Path=\"%KELVORT_LOGS%\\kelvort\"/>"));
  GetGlobalSettings(state_);
  EXPECT_EQ(state_.SettingsMode, 1);
  EXPECT_EQ(state_.SettingsPath, WinPath("Users\\me"));
  EXPECT_TRUE(fs::is_directory(root() / "Users/me"));
  EXPECT_EQ(state_.ErrorLogPath, ToWinPath(root() / "logs") + "\\kelvort");
  EXPECT_FALSE(fs::exists(root() / "logs"));  // the log folder is made by the log itself

  WriteShared(SharedWith("<SavePath Path=\"\"/><UseConfig Value=\"true\" OnlyReadConfig=\"no\"/>"));
  GetGlobalSettings(state_);
  EXPECT_EQ(state_.SettingsMode, 2);
  EXPECT_EQ(state_.SettingsPath, UserFolderWin());
  EXPECT_TRUE(Reported().empty());
}

TEST_F(SettingsFileTest, APathThatCannotBeNormalisedNamesNoFolder) {
  // An unpaired "%" leaves the text in front of it: another, existing folder.
  fs::create_directories(root() / "shared");
  const std::string typo = WinPath("shared") + "\\%USERNAME";
  WriteShared(SharedWith("<SavePath Path=\"" + typo + "\\Kelvort\"/>"));
  GetGlobalSettings(state_);
  EXPECT_EQ(Reported(), std::vector<std::string>{"CheckPath"});
  EXPECT_EQ(state_.SettingsPath, "");
  EXPECT_EQ(state_.ErrorLogPath, "");

  // The run goes on after the reset of the flag; nothing lands in the other folder.
  const auto before = Snapshot();
  state_.ErrorOccurred = false;
  EXPECT_FALSE(GetXMLSettings(state_, state_.SettingsPath));
  EXPECT_EQ(Snapshot(), before);

  StartAfresh();
  WriteShared(SharedWith("<ErrorPath Path=\"" + typo + "\\logs\"/>"));
  GetGlobalSettings(state_);
  EXPECT_EQ(Reported(), std::vector<std::string>{"CheckPath"});
  EXPECT_EQ(state_.SettingsPath, UserFolderWin());
  EXPECT_EQ(state_.ErrorLogPath, "");
}

TEST_F(SettingsFileTest, APerUserFolderThatCannotBeMadeIsReported) {
  WriteBytes(root() / "appdata/brannick", "a file where the folder must be");
  const auto before = Snapshot();
  GetGlobalSettings(state_);
  EXPECT_EQ(Reported(), std::vector<std::string>{"FolderExists"});
  EXPECT_EQ(state_.SettingsMode, 1);
  EXPECT_EQ(Snapshot(), before);

  // Opening its Settings.xml afterwards gives no document and writes nothing.
  state_.ErrorOccurred = false;
  EXPECT_FALSE(GetXMLSettings(state_, state_.SettingsPath));
  EXPECT_EQ(Reported(), (std::vector<std::string>{"FolderExists", "GetXMLSettings"}));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(SettingsFileTest, WithoutAnApplicationDataFolderNothingIsMadeElsewhere) {
  test_.environment.Unset("APPDATA");
  test_.environment.Set("XDG_CONFIG_HOME", (root() / "config").string());
  GetGlobalSettings(state_);
  EXPECT_EQ(state_.SettingsPath, WinPath("config\\brannick\\Kelvort"));
  EXPECT_TRUE(fs::is_directory(root() / "config/brannick/Kelvort"));
  EXPECT_TRUE(Reported().empty());

  test_.environment.Unset("XDG_CONFIG_HOME");
  test_.environment.Unset("HOME");
  const auto before = Snapshot();
  StartAfresh();
  GetGlobalSettings(state_);
  EXPECT_EQ(Reported(), std::vector<std::string>{"SetUserPath"});
  EXPECT_EQ(state_.SettingsPath, "");
  EXPECT_EQ(state_.ErrorLogPath, "");
  state_.ErrorOccurred = false;
  EXPECT_FALSE(GetXMLSettings(state_, state_.SettingsPath));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(fs::exists(root() / "bin/brannick"));
}

TEST_F(SettingsFileTest, GetXMLSettingsCopiesTheSharedFileOnFirstUseOnly) {
  const std::string shared = SharedWith(
      "<Parameters><Parameter Name=\"A\" Type=\"String\" "
      "Default=\"\"/></Parameters>");
  WriteShared(shared);
  fs::create_directories(UserFolder());
  const XmlDocument first = GetXMLSettings(state_, UserFolderWin());
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), shared);
  ASSERT_TRUE(first.SelectSingleNode("SETTINGS/Parameters/Parameter"));

  // A later change of the shared file does not reach the existing copy, and loading
  // changes no file.
  const std::string changed = SharedWith("<Parameters/>");
  WriteShared(changed);
  const auto before = Snapshot();
  const XmlDocument again = GetXMLSettings(state_, UserFolderWin());
  EXPECT_TRUE(again.SelectSingleNode("SETTINGS/Parameters/Parameter"));
  const XmlDocument config = GetXMLSettings(state_, ConfigFolderWin());
  EXPECT_FALSE(config.SelectSingleNode("SETTINGS/Parameters/Parameter"));
  EXPECT_EQ(config.Url(), ConfigFolderWin() + "\\Settings.xml");
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(Reported().empty());

  // A malformed copy is an empty document, left as it is on disk.
  WriteBytes(UserFolder() / "Settings.xml", "<SETTINGS><Para");
  const XmlDocument broken = GetXMLSettings(state_, UserFolderWin());
  ASSERT_TRUE(broken);
  EXPECT_EQ(broken.Url(), "");
  EXPECT_EQ(GetXMLRootNode(state_, broken).Name(), "SETTINGS");
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), "<SETTINGS><Para");
  EXPECT_TRUE(Reported().empty());
}

TEST_F(SettingsFileTest, AFirstUseCopyThatBreaksOffLeavesNoSettingsFile) {
  std::string shared = kDeclarationLine + "<SETTINGS>\n  <Parameters>\n";
  while (shared.size() < 64 * 1024) {
    shared += "    <Parameter Name=\"P\" Type=\"String\" Default=\"\" />\n";
  }
  shared += "  </Parameters>\n</SETTINGS>\n";
  WriteShared(shared);
  fs::create_directories(UserFolder());
  // A truncated copy would be used from then on: none may be left, so the next start
  // copies again.
  {
    const testing::FileSizeLimit limit(16 * 1024);
    EXPECT_FALSE(GetXMLSettings(state_, UserFolderWin()));
  }
  EXPECT_EQ(Reported(), std::vector<std::string>{"GetXMLSettings"});
  EXPECT_TRUE(fs::is_empty(UserFolder()));
  state_.ErrorOccurred = false;
  EXPECT_TRUE(GetXMLSettings(state_, UserFolderWin()));
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), shared);
}

TEST_F(SettingsFileTest, GetXMLSettingsFailuresGiveNoDocument) {
  fs::create_directories(UserFolder() / "Settings.xml");  // a folder where the file must be
  const auto before = Snapshot();

  // Copying the shared file fails.
  WriteShared(SharedWith(""));
  EXPECT_FALSE(GetXMLSettings(state_, UserFolderWin()));
  EXPECT_EQ(Reported(), std::vector<std::string>{"GetXMLSettings"});

  // Creating a new file fails.
  fs::remove(root() / "Config/Settings.xml");
  state_.ErrorOccurred = false;
  EXPECT_FALSE(GetXMLSettings(state_, UserFolderWin()));
  EXPECT_EQ(Reported(), (std::vector<std::string>{"GetXMLSettings", "CreateXMLDoc"}));

  // A folder that does not exist, and the empty folder name.
  state_.ErrorOccurred = false;
  EXPECT_FALSE(GetXMLSettings(state_, WinPath("nowhere")));
  state_.ErrorOccurred = false;
  EXPECT_FALSE(GetXMLSettings(state_, ""));
  EXPECT_EQ(Reported().size(), 4u);
  WriteShared(SharedWith(""));
  fs::remove(root() / "Config/Settings.xml");
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace kelvort
