// Settings.xml and the folders derived from it.
#include "settings/settings_file.h"

#include "log/procedure.h"
#include "settings/path_helpers.h"
#include "settings/xml_helpers.h"
#include "util/text.h"

namespace kelvort {

namespace {

constexpr std::string_view kSettingsFileName = "\\Settings.xml";

// The shared settings file: the program's folder followed by "\..\Config\Settings.xml".
std::string SharedSettingsFile(const RunState& state) {
  return SharedConfigFolder(state) + std::string(kSettingsFileName);
}

// A UseConfig switch: "true" in any letter case. An absent attribute is a run-time error.
bool IsTrue(XmlNode element, std::string_view attribute) {
  return ToLower(element.Attribute(attribute).Text()) == "true";
}

// CheckPath of a path for a shared variable. A path that failed to normalise leaves the
// variable empty: the text left over (the part in front of an unpaired "%", say) would
// name another folder, where settings and the log must never go.
std::string NormalisedFolder(RunState& state, std::string_view path) {
  std::string folder = CheckPath(state, path);
  return state.ErrorOccurred ? std::string() : folder;
}

}  // namespace

std::string SharedConfigFolder(const RunState& state) {
  return state.platform.environment.ProgramFolder() + "\\..\\Config";
}

void GetGlobalSettings(RunState& state) {
  state.SettingsMode = SettingsSource::kShared;
  Procedure(state, "GetGlobalSettings", Gate::kErrorOccurred, [&] {
    const XmlDocument shared = XmlDocument::Load(state.platform.files, SharedSettingsFile(state));
    const XmlNode use_config = shared.SelectSingleNode("SETTINGS/UseConfig");
    if (!use_config || !IsTrue(use_config, "Value")) {
      SetUserPath(state, shared);
      state.SettingsMode = SettingsSource::kPerUser;
    } else if (IsTrue(use_config, "OnlyReadConfig")) {
      state.SettingsPath = NormalisedFolder(state, SharedConfigFolder(state));
      state.SettingsMode = SettingsSource::kShared;
    } else {
      SetUserPath(state, shared);
      state.SettingsMode = SettingsSource::kPerUserOverlaid;
    }
    const XmlNode error_path = shared.SelectSingleNode("SETTINGS/ErrorPath");
    state.ErrorLogPath = error_path ? NormalisedFolder(state, error_path.Attribute("Path").Text())
                                    : state.SettingsPath;
  });
}

void SetUserPath(RunState& state, XmlNode shared_settings) {
  Procedure(state, "SetUserPath", Gate::kErrorOccurred, [&] {
    std::string save_path;
    if (const XmlNode element = shared_settings.SelectSingleNode("SETTINGS/SavePath")) {
      save_path = element.Attribute("Path").Text();
    }
    if (!save_path.empty()) {
      state.SettingsPath = NormalisedFolder(state, save_path);
    } else {
      // Without an application-data folder the default would become a path relative to
      // the program's folder: refuse it instead.
      const std::string app_data = state.platform.environment.Variable("APPDATA");
      if (app_data.empty()) {
        Raise(errors::kPathNotFound, "The application-data folder (APPDATA) is not set");
      }
      state.SettingsPath = app_data + "\\brannick\\" + "Kelvort";
    }
    FolderExists(state, state.SettingsPath, true);
  });
}

XmlDocument GetXMLSettings(RunState& state, std::string_view folder) {
  return Procedure<XmlDocument>(
      state, "GetXMLSettings", Gate::kErrorOccurred, [&](XmlDocument& result) {
        FileSystem& files = state.platform.files;
        // A missing folder would otherwise turn "\Settings.xml" into a file elsewhere.
        if (folder.empty() || !files.FolderExists(folder)) {
          Raise(errors::kPathNotFound, "Path not found: " + std::string(folder));
        }
        const std::string file = std::string(folder) + std::string(kSettingsFileName);
        if (!files.FileExists(file)) {
          const std::string shared = SharedSettingsFile(state);
          if (files.FileExists(shared)) {
            files.CopyFile(shared, file);
          } else {
            CreateXMLDoc(state, file, "SETTINGS");
            if (state.ErrorOccurred) return;  // reported by CreateXMLDoc
          }
        }
        result = XmlDocument::Load(files, file);
      });
}

}  // namespace kelvort
