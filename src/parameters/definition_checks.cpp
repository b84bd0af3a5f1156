// The check of the definitions in a Settings.xml document.
#include "parameters/definition_checks.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>

#include "parameters/definition_rules.h"
#include "settings/xml_helpers.h"
#include "util/text.h"

namespace kelvort {
namespace {

constexpr std::array<std::string_view, 3> kAttributes = {"Name", "Type", "Default"};

// The attribute a misspelt one resembles; nothing when none is near.
std::optional<std::string_view> NearAttribute(std::string_view name) {
  for (const std::string_view known : kAttributes) {
    if (EditDistance(name, known) <= 1) return known;
  }
  return std::nullopt;
}

// Findings about the element's attributes; answers whether all three are there.
bool CheckAttributes(const XmlNode& item, const std::string& file, int line,
                     CheckFindings& findings) {
  for (const XmlAttribute& attribute : item.Attributes()) {
    const std::string name = attribute.Name();
    if (std::find(kAttributes.begin(), kAttributes.end(), name) != kAttributes.end()) continue;
    if (const auto near = NearAttribute(name)) {
      findings.push_back({file, line, "CheckUnknownAttributeLike", {name, std::string(*near)}});
    } else {
      findings.push_back({file, line, "CheckUnknownAttribute", {name}});
    }
  }
  bool complete = true;
  for (const std::string_view name : kAttributes) {
    if (item.Attribute(name)) continue;
    findings.push_back({file, line, "CheckMissingAttribute", {std::string(name)}});
    complete = false;
  }
  return complete;
}

// Findings about the type: blanks or gaps in a list of permitted values, or a word near a
// type the run knows, which as written makes a text parameter.
void CheckType(const std::string& type, const std::string& file, int line,
               CheckFindings& findings) {
  const std::vector<std::string> values = Split(type, ',');
  if (values.size() < 2) {
    for (const char* known : {"Integer", "Boolean"}) {
      if (!EqualsIgnoreCase(type, known) && EditDistance(type, known) <= 2) {
        findings.push_back({file, line, "CheckTypeMisspelt", {type, known}});
      }
    }
    return;
  }
  if (std::find(values.begin(), values.end(), "") != values.end()) {
    findings.push_back({file, line, "CheckListEntryEmpty", {type}});
  }
  for (const std::string& value : values) {
    if (Trim(value) != value) {
      findings.push_back({file, line, "CheckListEntryBlanks", {value}});
    }
  }
}

}  // namespace

void CheckDefinitions(RunState& state, const XmlDocument& settings, const std::string& file,
                      CheckFindings& findings) {
  const XmlNode root = GetXMLRootNode(state, settings);
  const XmlNode parameters = root ? root.SelectSingleNode("Parameters") : XmlNode();
  if (!parameters) {
    findings.push_back({file, settings.LineOf(root), "CheckNoParameters", {}});
    return;
  }
  std::map<std::string, int> first_lines;
  for (const XmlNode& item : parameters.SelectNodes("Parameter")) {
    const int line = settings.LineOf(item);
    if (!CheckAttributes(item, file, line, findings)) continue;
    const ParameterRow row = {item.Attribute("Name").Text(), item.Attribute("Type").Text(),
                              item.Attribute("Default").Text()};
    if (const auto rejection = DefinitionRejection(state, row)) {
      findings.push_back({file, line, "CheckRejected", {ReplaceLineBreaks(*rejection, " ")}});
    }
    const std::string& name = row[0];
    if (Trim(name) != name) findings.push_back({file, line, "CheckNameBlanks", {name}});
    const auto [first, inserted] = first_lines.emplace(name, line);
    if (!inserted) {
      findings.push_back({file, line, "CheckRepeatedName", {name, std::to_string(first->second)}});
    }
    CheckType(row[1], file, line, findings);
  }
}

}  // namespace kelvort
