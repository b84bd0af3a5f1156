// The check of lang.xml for kelvort --check.
#include "lang/lang_check.h"

#include <string>

#include "lang/language.h"
#include "lang/text_keys.h"
#include "settings/xml_file_check.h"
#include "settings/xml_helpers.h"

namespace kelvort {

void CheckLangFile(RunState& state, CheckFindings& findings) {
  const std::string file = LangFile(state);
  const XmlDocument texts = CheckedXmlFile(state.platform.files, file, findings);
  if (!texts.FirstChild()) return;
  const XmlNode root = GetXMLRootNode(state, texts);
  for (const std::string_view key : kTextKeys) {
    const XmlNode element = GetXMLNode(state, root, key, false);
    if (!element) {
      findings.push_back({file, 0, "CheckLangKeyMissing", {std::string(key)}});
      continue;
    }
    for (const std::string_view language : kLanguages) {
      const XmlAttribute text = element.Attribute(language);
      if (text && !text.Text().empty()) continue;
      findings.push_back({file,
                          texts.LineOf(element),
                          "CheckLangTextMissing",
                          {std::string(key), std::string(language)}});
    }
  }
}

}  // namespace kelvort
