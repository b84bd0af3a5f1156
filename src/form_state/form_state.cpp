// The saved state of chosen form controls in Settings.xml.
#include "form_state/form_state.h"

#include <string>
#include <vector>

#include "core/product.h"
#include "forms/toolkit/form.h"
#include "lang/language.h"
#include "log/procedure.h"
#include "settings/path_helpers.h"
#include "settings/settings_file.h"
#include "settings/xml_helpers.h"
#include "util/text.h"

namespace kelvort {
namespace {

// The sentinel of a control that is no member of a control array.
constexpr int16_t kNoIndex = -2;

int16_t IndexOrSentinel(Dispatch& control) {
  int16_t index = kNoIndex;
  IgnoringErrors([&] { index = control.Get("Index").ToInteger(); });
  return index;
}

std::string IndexElementName(int16_t index) {
  return "Index_" + std::to_string(index);
}

// A Tag whose second comma-separated field is exactly "1" marks a control for storing.
bool IsMarked(std::string_view tag) {
  const std::vector<std::string> fields = Split(tag, ',');
  return fields.size() >= 2 && fields[1] == "1";
}

void StoreList(RunState& state, XmlNode element, Dispatch& list) {
  while (const XmlNode child = element.FirstChild()) element.RemoveChild(child);
  element.SetAttribute("ListIndex", list.Get("ListIndex").ToText());
  const int16_t count = list.Get("ListCount").ToInteger();
  for (int16_t i = 0; i < count; ++i) {
    GetXMLNode(state, element, "Attr" + std::to_string(i), true)
        .SetAttribute("Value", list.Get("List", {Variant(i)}).ToText());
  }
}

// Adds the stored items that the list lacks, then selects the stored position.
void RestoreList(XmlNode element, Dispatch& list, const std::string& list_index) {
  for (const XmlNode& child : element.ChildNodes()) {
    const std::string item = child.Attribute("Value").Text();
    if (!ListItemExists(list, item)) list.Call("AddItem", {Variant(item)});
  }
  list.Put("ListIndex", Variant(list_index));
}

void RestoreControl(XmlNode element, Dispatch& control) {
  for (const XmlAttribute& attribute : element.Attributes()) {
    const std::string name = attribute.Name();
    if (name == "Enabled" || name == "Text" || name == "Value" || name == "Checked") {
      control.Put(name, Variant(attribute.Text()));
    } else if (name == "ListIndex") {
      RestoreList(element, control, attribute.Text());
    }
  }
}

}  // namespace

void ReadSettings(RunState& state, Form& form) {
  Procedure(state, "ReadSettings", Gate::kErrorOccurred, [&] {
    ReadXMLControls(state, GetXMLSettings(state, state.SettingsPath), form);
    if (state.SettingsMode != SettingsSource::kPerUserOverlaid) return;
    const std::string shared_folder = CheckPath(state, SharedConfigFolder(state));
    ReadXMLControls(state, GetXMLSettings(state, shared_folder), form);
  });
}

void WriteSettings(RunState& state, Form& form) {
  Procedure(state, "WriteSettings", Gate::kErrorOccurred, [&] {
    if (state.SettingsMode == SettingsSource::kShared) {
      state.platform.message_boxes.Show(GetRightLangText(state, "YouCantSaveSettingsLocal"),
                                        kProductName);
      return;
    }
    FolderExists(state, state.SettingsPath, true);
    const XmlDocument settings = GetXMLSettings(state, state.SettingsPath);
    if (!settings) return;
    for (Control* control : form.Controls()) {
      if (IsMarked(control->Get("Tag").ToText()))
        AttrsToXML(state, settings, form.Name(), *control);
    }
    // A file that could not be read is not overwritten; say so instead of keeping silent.
    if (settings.Url().empty()) {
      Raise(errors::kPathFileAccessError, "The settings file in " + state.SettingsPath +
                                              " cannot be read; the settings were not saved.");
    }
    settings.Save(state.platform.files, settings.Url());
  });
}

void ReadXMLControls(RunState& state, XmlNode document, Form& form) {
  const XmlNode form_element = GetXMLRootNode(state, document).SelectSingleNode(form.Name());
  if (!form_element) return;
  const XmlNode controls = form_element.SelectSingleNode("Controls");
  if (!controls) return;
  Procedure(state, "ReadXMLControls", Gate::kNone, [&] {
    for (Control* control : form.Controls()) {
      XmlNode element = GetXMLNode(state, controls, control->Name(), false);
      if (!element) continue;
      const int16_t index = IndexOrSentinel(*control);
      if (index != kNoIndex) element = GetXMLNode(state, element, IndexElementName(index), false);
      if (element) RestoreControl(element, *control);
    }
  });
}

void AttrsToXML(RunState& state, XmlNode document, std::string_view form_name, Dispatch& control) {
  const int16_t index = IndexOrSentinel(control);
  Procedure(state, "AttrsToXML", Gate::kNone, [&] {
    const std::string name = control.Get("Name").ToText();
    const XmlNode root = GetXMLRootNode(state, document);
    const XmlNode form_element = GetXMLNode(state, root, form_name, true);
    const XmlNode controls = GetXMLNode(state, form_element, "Controls", true);
    XmlNode element = GetXMLNode(state, controls, name, true);
    if (index != kNoIndex) element = GetXMLNode(state, element, IndexElementName(index), true);
    element.SetAttribute("Enabled", control.Get("Enabled").ToText());
    const std::string kind = name.substr(0, 3);
    if (kind == "txt") {
      element.SetAttribute("Text", control.Get("Text").ToText());
    } else if (kind == "opt" || kind == "chk") {
      element.SetAttribute("Value", control.Get("Value").ToText());
    } else if (kind == "men") {
      element.SetAttribute("Checked", std::to_string(control.Get("Checked").ToInteger()));
    } else if (kind == "lst" || kind == "cmb") {
      StoreList(state, element, control);
    }
  });
}

bool ListItemExists(Dispatch& list, std::string_view text) {
  const int16_t count = list.Get("ListCount").ToInteger();
  for (int16_t i = 0; i < count; ++i) {
    if (list.Get("List", {Variant(i)}).ToText() == text) return true;
  }
  return false;
}

}  // namespace kelvort
