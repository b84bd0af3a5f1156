// Settings.xml and the folders derived from it: which copy is in use, where the per-user
// copy and the error log live, and opening a folder's Settings.xml.
#pragma once

#include <string>
#include <string_view>

#include "core/run_state.h"
#include "settings/xml_document.h"

namespace kelvort {

// The shared Config folder, not normalised: the program's folder followed by "\..\Config".
// It holds the shared Settings.xml and lang.xml.
std::string SharedConfigFolder(const RunState& state);

// Decides from the shared settings file which Settings.xml is in use and where Error.log
// goes: sets SettingsMode, SettingsPath and ErrorLogPath.
void GetGlobalSettings(RunState& state);

// Sets SettingsPath to the per-user folder (SETTINGS/SavePath of the shared settings, or
// APPDATA\brannick\Kelvort) and makes sure the folder exists.
void SetUserPath(RunState& state, XmlNode shared_settings);

// The per-user folder: that of the per-user Settings.xml, or, when the shared one is in
// use (mode 0), the default APPDATA\brannick\Kelvort. Empty when there is none.
std::string UserFolder(const RunState& state);

// The report of the last run that reached the walk: LastRun.html in the per-user folder;
// empty without one.
std::string LastRunFile(const RunState& state);

// The document of the folder's Settings.xml. A missing file is first made: a copy of the
// shared settings file, or an empty SETTINGS document when there is none. No document
// when that fails. Never saves.
XmlDocument GetXMLSettings(RunState& state, std::string_view folder);

}  // namespace kelvort
