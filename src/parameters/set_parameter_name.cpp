// Reads and checks the parameter definitions of Settings.xml.
#include "parameters/set_parameter_name.h"

#include <limits>
#include <string>

#include "lang/language.h"
#include "log/procedure.h"
#include "parameters/definition_rules.h"
#include "settings/settings_file.h"
#include "settings/xml_helpers.h"

namespace kelvort {
namespace {

void ShowAbort(RunState& state, const std::string& text) {
  state.platform.message_boxes.Show(text, GetRightLangText(state, "Abort"));
}

// Checks one definition; shows the rejection's message and answers false when it fails.
bool Accept(RunState& state, const ParameterRow& row) {
  const std::optional<std::string> rejection = DefinitionRejection(state, row);
  if (rejection) ShowAbort(state, *rejection);
  return !rejection;
}

}  // namespace

DefinitionResult SetParameterName(RunState& state) {
  return Procedure<DefinitionResult>(
      state, "SetParameterName", Gate::kNone, [&](DefinitionResult& result) {
        const XmlDocument settings = GetXMLSettings(state, state.SettingsPath);
        // Read as declared, every character beyond ASCII would become two or three others.
        if (settings.Utf8DeclaredLatin1Line() != 0) {
          ShowAbort(state,
                    GetRightLangText(state, "SettingsSavedAsUtf8") + "\r\n" + settings.Url());
          result = DefinitionResult::kRejected;
          return;
        }
        const XmlNode root = GetXMLRootNode(state, settings);
        const std::vector<XmlNode> items =
            root.SelectSingleNode("Parameters").SelectNodes("Parameter");
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
            result = DefinitionResult::kRejected;
            return;
          }
          if (i == kRowLimit) Raise(errors::kOverflow);
        }
      });
}

}  // namespace kelvort
