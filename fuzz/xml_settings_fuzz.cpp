// Fuzzes the XML loader with the walks that the settings helpers make over what it loads:
// the root, each child element by name, attributes, and the selections the program uses;
// and with the check of kelvort --check over its definitions.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/run_state.h"
#include "forms/forms.h"
#include "parameters/definition_checks.h"
#include "settings/xml_document.h"
#include "settings/xml_helpers.h"
#include "support/test_platform.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

void ReadAttributes(const XmlNode& node) {
  for (const XmlAttribute& attribute : node.Attributes()) {
    if (attribute.Name().empty()) __builtin_trap();  // a read attribute always has a name
    attribute.Text();
  }
}

void Walk(RunState& state, const XmlDocument& document) {
  const XmlNode root = GetXMLRootNode(state, document);
  if (!root) return;
  for (const XmlNode& child : root.ChildNodes()) {
    if (child.Kind() != XmlNodeKind::kElement) continue;
    const XmlNode found = GetXMLNode(state, root, child.Name(), false);
    if (found) ReadAttributes(found);
  }
  document.SelectSingleNode("SETTINGS/UseConfig");
  for (const XmlNode& parameter : root.SelectSingleNode("Parameters").SelectNodes("Parameter")) {
    ReadAttributes(parameter);
  }
  const XmlNode controls =
      GetXMLNode(state, GetXMLNode(state, root, "frmSettings", true), "Controls", true);
  if (controls) ReadAttributes(controls);
}

}  // namespace
}  // namespace kelvort

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelvort;
  testing::TestPlatform test;
  RunState state(test.platform);
  Forms forms{state};
  const XmlDocument document = XmlDocument::FromBytes({reinterpret_cast<const char*>(data), size});
  try {
    Walk(state, document);
    // kelvort --check over the same document: every finding on a line of the input.
    CheckFindings findings;
    CheckDefinitions(state, document, "Settings.xml", findings);
    const auto lines = std::count(data, data + size, '\n') + 1;
    for (const CheckFinding& finding : findings) {
      if (finding.line < 0 || finding.line > lines) __builtin_trap();
    }
  } catch (const RunError&) {
    // An unset node used after a reported failure: the caller's handler reports it.
  }
  return 0;
}
