// The program's layout on disk in a temporary folder (bin, Config, an APPDATA folder) with a
// run state on it, for the tests of the settings procedures.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/run_state.h"
#include "forms/forms.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort::testing {

inline const std::string kDeclarationLine =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"yes\"?>\n";

// A settings file with these children of its SETTINGS root.
inline std::string SettingsXml(const std::string& children) {
  return kDeclarationLine + "<SETTINGS>" + children + "</SETTINGS>\n";
}

class SettingsFixture : public ::testing::Test {
 protected:
  SettingsFixture() {
    std::filesystem::create_directories(root() / "bin");
    std::filesystem::create_directories(root() / "Config");
    std::filesystem::create_directories(root() / "appdata");
    test_.environment.SetProgramFolder(dir_.WinPath("bin"));
    test_.environment.Set("APPDATA", (root() / "appdata").string());
  }

  const std::filesystem::path& root() const { return dir_.path(); }
  std::string WinPath(const std::string& relative) const { return dir_.WinPath(relative); }
  void WriteShared(const std::string& bytes) { WriteBytes(root() / "Config/Settings.xml", bytes); }
  void WriteUserSettings(const std::string& children) {
    std::filesystem::create_directories(UserFolder());
    WriteBytes(UserFolder() / "Settings.xml", SettingsXml(children));
  }
  // The default per-user folder.
  std::filesystem::path UserFolder() const { return root() / "appdata/brannick/Kelvort"; }
  std::string UserFolderWin() const { return ToWinPath(UserFolder()); }

  // The procedures named by the error boxes shown so far, in order.
  std::vector<std::string> Reported() const {
    std::vector<std::string> names;
    for (const auto& box : test_.message_boxes.boxes) {
      names.push_back(box.text.substr(0, box.text.find("  ")));
    }
    return names;
  }

  // The run state and the boxes shown as at the start of a run.
  void StartAfresh() {
    state_.ErrorOccurred = false;
    state_.SettingsMode = SettingsSource::kShared;
    state_.SettingsPath.clear();
    state_.ErrorLogPath.clear();
    test_.message_boxes.boxes.clear();
  }

  // Every file and folder below the temporary folder with its content.
  std::map<std::string, std::string> Snapshot() const { return FilesBelow(root()); }

  TempDir dir_;
  TestPlatform test_;
  RunState state_{test_.platform};
  Forms forms_{state_};
};

}  // namespace kelvort::testing
