// The saved state of chosen form controls in Settings.xml, one Controls subtree per form:
// a control whose Tag's second field is "1" is stored (Enabled, and by its name's prefix
// Text, Value, Checked or the list's items and ListIndex) and restored by name.
#pragma once

#include <string_view>

#include "core/run_state.h"
#include "settings/xml_document.h"

namespace kelvort {

class Form;

// Restores the form's controls from the Settings.xml that the settings mode selects (in
// mode 2 the shared file last, over the per-user one).
void ReadSettings(RunState& state, Form& form);

// Stores the form's marked controls in the per-user Settings.xml and saves it; in the
// shared read-only mode it only says that settings cannot be saved.
void WriteSettings(RunState& state, Form& form);

// Applies every known attribute stored for a control of the form, marked or not.
void ReadXMLControls(RunState& state, XmlNode document, Form& form);

// Stores one control's state below SETTINGS/<form>/Controls in the document (not saved).
void AttrsToXML(RunState& state, XmlNode document, std::string_view form_name, Dispatch& control);

// Whether one of the list's items equals the text exactly.
bool ListItemExists(Dispatch& list, std::string_view text);

}  // namespace kelvort
