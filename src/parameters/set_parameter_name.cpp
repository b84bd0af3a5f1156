// Reads and checks the parameter definitions of Settings.xml.
#include "parameters/set_parameter_name.h"

#include <limits>
#include <string>

#include "lang/language.h"
#include "log/procedure.h"
#include "parameters/regional_number.h"
#include "settings/settings_file.h"
#include "settings/xml_helpers.h"
#include "util/text.h"

namespace kelvort {
namespace {

void ShowAbort(RunState& state, const std::string& text) {
  state.platform.message_boxes.Show(text, BoxText(state, "Abort"));
}

void ShowWrongDefault(RunState& state, const std::string& name, const char* type_key) {
  ShowAbort(state, BoxText(state, "Thedefaultvalueof") + name + BoxText(state, "iswrong") + "\r\n" +
                       BoxText(state, type_key));
}

// Whether the default is a number whose rounded value the host's 32-bit integers hold.
bool IsIntegerDefault(const RunState& state, const std::string& text) {
  return IgnoringErrors([&] { ToRegionalInteger(text, state.platform.formats); });
}

// Checks one definition; shows the rejection's message and answers false when it fails.
bool Accept(RunState& state, const ParameterRow& row) {
  const auto& [name, type, default_value] = row;
  if (name.empty()) {
    ShowAbort(state, BoxText(state, "Thenameofaparameterismissing"));
    return false;
  }
  // The formula search takes a name in single quotes; one holding a quote it cannot take.
  if (name.find('\'') != std::string::npos) {
    ShowAbort(state, BoxText(state, "Thenameofaparameterholdsaquote") + "\r\n" + name);
    return false;
  }
  if (type.empty()) {
    ShowAbort(state, BoxText(state, "Thetypeofaparameterismissing"));
    return false;
  }
  if (default_value.empty()) return true;
  const std::string kind = ToLower(type);
  if (kind == "integer" && !IsIntegerDefault(state, default_value)) {
    ShowWrongDefault(state, name, "ThevaluemustbeofthetypeInteger");
    return false;
  }
  const std::string lower_default = ToLower(default_value);
  if (kind == "boolean" && lower_default != "true" && lower_default != "false") {
    ShowWrongDefault(state, name, "ThevaluemustbeofthetypeBoolean");
    return false;
  }
  return true;
}

}  // namespace

int16_t SetParameterName(RunState& state) {
  return Procedure<int16_t>(state, "SetParameterName", Gate::kNone, [&](int16_t& result) {
    const XmlDocument settings = GetXMLSettings(state, state.SettingsPath);
    const XmlNode root = GetXMLRootNode(state, settings);
    const std::vector<XmlNode> items = root.SelectSingleNode("Parameters").SelectNodes("Parameter");
    state.ParameterDefs.emplace(items.size());
    std::vector<ParameterRow>& rows = *state.ParameterDefs;
    // The row counter is a 16-bit integer: it cannot step beyond row 32767.
    constexpr size_t kRowLimit = std::numeric_limits<int16_t>::max();
    for (size_t i = 0; i < items.size(); ++i) {
      // Each text is stored as soon as it is read, so a missing attribute leaves the
      // texts before it in the row.
      for (size_t column = 0; column < 3; ++column) {
        static constexpr const char* kAttributes[] = {"Name", "Type", "Default"};
        rows[i][column] = items[i].Attribute(kAttributes[column]).Text();
      }
      if (!Accept(state, rows[i])) {
        result = 1;
        return;
      }
      if (i == kRowLimit) Raise(errors::kOverflow);
    }
  });
}

}  // namespace kelvort
