// The check of the folders the shared Settings.xml names, for kelvort --check.
#pragma once

#include <string>

#include "core/run_state.h"
#include "settings/check_finding.h"
#include "settings/xml_document.h"

namespace kelvort {

// Adds a finding for a SETTINGS/SavePath or SETTINGS/ErrorPath whose Path does not resolve
// (CheckPathUnresolved), names no folder (CheckFolderMissing) or names one that takes no
// new file (CheckFolderNotWritable). Changes nothing.
void CheckSettingsPaths(RunState& state, const XmlDocument& shared, const std::string& file,
                        CheckFindings& findings);

}  // namespace kelvort
