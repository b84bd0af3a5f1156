// The check of the folders the shared Settings.xml names.
#include "settings/settings_paths_check.h"

#include "core/path_resolution.h"
#include "util/run_error.h"

namespace kelvort {

void CheckSettingsPaths(RunState& state, const XmlDocument& shared, const std::string& file,
                        CheckFindings& findings) {
  for (const char* element : {"SavePath", "ErrorPath"}) {
    const XmlNode node = shared.SelectSingleNode(std::string("SETTINGS/") + element);
    const XmlAttribute path = node ? node.Attribute("Path") : XmlAttribute();
    if (!path || path.Text().empty()) continue;
    const int line = shared.LineOf(node);
    std::string folder;
    try {
      NormalizePath(state, path.Text(), folder);
      if (!state.platform.files.FolderExists(folder)) {
        findings.push_back({file, line, "CheckFolderMissing", {element, path.Text(), folder}});
        continue;
      }
      state.platform.files.CheckReplaceable(folder + "\\Error.log");
    } catch (const RunError& error) {
      const char* key = folder.empty() || !state.platform.files.FolderExists(folder)
                            ? "CheckPathUnresolved"
                            : "CheckFolderNotWritable";
      findings.push_back({file, line, key, {element, path.Text(), error.description()}});
    }
  }
}

}  // namespace kelvort
