// Tests of GetGlobalSettings, SetUserPath and GetXMLSettings on a real folder layout.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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
using testing::SettingsXml;
using testing::WriteBytes;
using Names = std::vector<std::string>;

std::string UseConfig(const std::string& attributes) {
  return SettingsXml("<UseConfig " + attributes + "/>");
}

using SettingsFileTest = testing::SettingsFixture;

// The shared file's UseConfig chooses the mode; a shared file that cannot be used gives
// each user a settings folder of their own. The shared file is never changed.
TEST_F(SettingsFileTest, UseConfigChoosesTheMode) {
  const struct {
    std::string shared;
    int mode;
  } cases[] = {
      {UseConfig("Value=\"TRUE\" OnlyReadConfig=\"tRuE\""), 0},
      {UseConfig("Value=\"true\" OnlyReadConfig=\"false\""), 2},
      {UseConfig("Value=\"True\" OnlyReadConfig=\"\""), 2},
      {UseConfig("Value=\"false\""), 1},
      {UseConfig("Value=\" true\" OnlyReadConfig=\"true\""), 1},
      {SettingsXml(
           "<UseConfig Value=\"false\"/><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/>"),
       1},
      // A comment in front of the root does not hide the keys from their selection.
      {kDeclarationLine + "<!-- shared -->\n" +
           "<SETTINGS><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/></SETTINGS>",
       0},
      {"", 1},
      {"<?xml version=\"1.0\"?><SETTINGS><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/>", 1},
      {kDeclarationLine + "<CONFIG><UseConfig Value=\"true\" OnlyReadConfig=\"true\"/></CONFIG>",
       1},
  };
  for (const auto& [shared, mode] : cases) {
    SCOPED_TRACE(shared);
    fs::remove_all(root() / "appdata");
    fs::create_directory(root() / "appdata");
    WriteShared(shared);
    GetGlobalSettings(state_);
    EXPECT_EQ(static_cast<int>(state_.SettingsMode), mode);
    const std::string expected_path = mode == 0 ? WinPath("Config") : UserFolderWin();
    EXPECT_EQ(state_.SettingsPath, expected_path);
    EXPECT_EQ(state_.ErrorLogPath, expected_path);
    EXPECT_EQ(fs::is_directory(UserFolder()), mode != 0);
    EXPECT_EQ(ReadBytes(root() / "Config/Settings.xml"), shared);
  }
  EXPECT_TRUE(Reported().empty());
}

TEST_F(SettingsFileTest, SavePathAndErrorPathAreNormalised) {
  test_.environment.Set("KELVORT_LOGS", (root() / "logs").string());
  WriteShared(
      SettingsXml("<SavePath Path=\"\\..\\Users\\me\\\"/>"
                  "<ErrorPath Path=\"%KELVORT_LOGS%\\kelvort\"/>"));
  GetGlobalSettings(state_);
  EXPECT_EQ(state_.SettingsMode, SettingsSource::kPerUser);
  EXPECT_EQ(state_.SettingsPath, WinPath("Users\\me"));
  EXPECT_TRUE(fs::is_directory(root() / "Users/me"));
  EXPECT_EQ(state_.ErrorLogPath, testing::ToWinPath(root() / "logs") + "\\kelvort");
  EXPECT_FALSE(fs::exists(root() / "logs"));  // the log folder is made by the log itself
  EXPECT_TRUE(Reported().empty());
}

// A key without its attributes, and a settings or log folder that cannot be had, are
// reported, and no other folder takes its place: not the text in front of an unpaired "%",
// not one relative to the program's folder. Without a settings folder nothing is written
// and opening Settings.xml gives no document.
TEST_F(SettingsFileTest, WhatCannotBeReadOrHadIsReportedAndNamesNoFolder) {
  fs::create_directories(root() / "shared");
  const std::string typo = WinPath("shared") + "\\%USERNAME";
  const struct {
    std::function<void()> arrange;
    std::string reported_by;
    bool settings_usable, log_path_empty;
  } cases[] = {
      {[&] { WriteShared(UseConfig("")); }, "GetGlobalSettings", false, true},
      {[&] { WriteShared(UseConfig("Value=\"true\"")); }, "GetGlobalSettings", false, true},
      {[&] { WriteShared(SettingsXml("<ErrorPath/>")); }, "GetGlobalSettings", true, true},
      {[&] { WriteShared(SettingsXml("<SavePath/>")); }, "SetUserPath", false, true},
      {[&] { WriteShared(SettingsXml("<SavePath Path=\"" + typo + "\\Kelvort\"/>")); }, "CheckPath",
       false, true},
      {[&] { WriteShared(SettingsXml("<ErrorPath Path=\"" + typo + "\\logs\"/>")); }, "CheckPath",
       true, true},
      {[&] { WriteBytes(root() / "appdata/brannick", "a file where the folder must be"); },
       "FolderExists", false, false},
      {[&] {
         test_.environment.Unset("APPDATA");
         test_.environment.Unset("XDG_CONFIG_HOME");
         test_.environment.Unset("HOME");
       },
       "SetUserPath", false, true},
  };
  for (const auto& [arrange, reported_by, settings_usable, log_path_empty] : cases) {
    StartAfresh();
    fs::remove_all(root() / "appdata");
    fs::create_directory(root() / "appdata");
    WriteShared(SettingsXml(""));
    arrange();
    SCOPED_TRACE(reported_by + ": " + ReadBytes(root() / "Config/Settings.xml"));
    const auto before = Snapshot();
    GetGlobalSettings(state_);
    EXPECT_EQ(Reported(), Names{reported_by});
    EXPECT_EQ(state_.ErrorLogPath.empty(), log_path_empty);
    if (settings_usable) continue;
    state_.ErrorOccurred = false;
    EXPECT_FALSE(GetXMLSettings(state_, state_.SettingsPath));
    EXPECT_EQ(Snapshot(), before);
  }
  EXPECT_FALSE(fs::exists(root() / "bin/brannick"));
}

TEST_F(SettingsFileTest, GetXMLSettingsCopiesTheSharedFileOnFirstUseOnly) {
  // No shared file: the first use writes a Settings.xml with an empty SETTINGS root.
  fs::create_directories(UserFolder());
  EXPECT_EQ(GetXMLSettings(state_, UserFolderWin()).Url(), UserFolderWin() + "\\Settings.xml");
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), kDeclarationLine + "<SETTINGS />\n");
  EXPECT_FALSE(fs::exists(root() / "Config/Settings.xml"));

  fs::remove(UserFolder() / "Settings.xml");
  const std::string shared = SettingsXml("<Parameters><Parameter Name=\"A\"/></Parameters>");
  WriteShared(shared);
  const XmlDocument first = GetXMLSettings(state_, UserFolderWin());
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), shared);
  ASSERT_TRUE(first.SelectSingleNode("SETTINGS/Parameters/Parameter"));

  // A later change of the shared file does not reach the copy, and loading changes no file.
  WriteShared(SettingsXml("<Parameters/>"));
  const auto before = Snapshot();
  EXPECT_TRUE(GetXMLSettings(state_, UserFolderWin()).SelectSingleNode("SETTINGS/Parameters/*"));
  EXPECT_FALSE(GetXMLSettings(state_, WinPath("Config")).SelectSingleNode("SETTINGS/Parameters/*"));
  EXPECT_EQ(Snapshot(), before);

  // A malformed copy is an empty document, left as it is on disk.
  WriteBytes(UserFolder() / "Settings.xml", "<SETTINGS><Para");
  const XmlDocument broken = GetXMLSettings(state_, UserFolderWin());
  ASSERT_TRUE(broken);
  EXPECT_EQ(broken.Url(), "");
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), "<SETTINGS><Para");
  EXPECT_TRUE(Reported().empty());
}

TEST_F(SettingsFileTest, GetXMLSettingsFailuresGiveNoDocument) {
  // A copy cut short would be used from then on: none may be left, so the next start
  // copies again.
  std::string shared = kDeclarationLine + "<SETTINGS>\n";
  while (shared.size() < 64 * 1024) shared += "  <Parameter Name=\"P\" Type=\"String\" />\n";
  shared += "</SETTINGS>\n";
  WriteShared(shared);
  fs::create_directories(UserFolder());
  {
    const testing::FileSizeLimit limit(16 * 1024);
    EXPECT_FALSE(GetXMLSettings(state_, UserFolderWin()));
  }
  EXPECT_TRUE(fs::is_empty(UserFolder()));
  state_.ErrorOccurred = false;
  EXPECT_TRUE(GetXMLSettings(state_, UserFolderWin()));
  EXPECT_EQ(ReadBytes(UserFolder() / "Settings.xml"), shared);

  // A folder where the file must be, with a shared file to copy and then without one
  // (neither copying nor creating works); a folder that does not exist; the empty name.
  fs::remove(UserFolder() / "Settings.xml");
  fs::create_directories(UserFolder() / "Settings.xml");
  const auto before = Snapshot();
  for (const std::string& folder :
       {UserFolderWin(), UserFolderWin(), WinPath("nowhere"), std::string()}) {
    state_.ErrorOccurred = false;
    EXPECT_FALSE(GetXMLSettings(state_, folder)) << folder;
    fs::remove(root() / "Config/Settings.xml");
  }
  EXPECT_EQ(Reported(), (Names{"GetXMLSettings", "GetXMLSettings", "CreateXMLDoc", "GetXMLSettings",
                               "GetXMLSettings"}));
  WriteShared(shared);
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace kelvort
