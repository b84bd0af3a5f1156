// The language of the program's texts.
#include "lang/language.h"

#include <optional>

#include "core/product.h"
#include "forms/toolkit/buttons.h"
#include "forms/toolkit/form.h"
#include "forms/toolkit/form_collection.h"
#include "log/procedure.h"
#include "settings/path_helpers.h"
#include "settings/settings_file.h"
#include "settings/xml_helpers.h"
#include "util/text.h"

namespace kelvort {
namespace {

// The text of the key element below lang.xml's root in the language; none when the
// element or the language's attribute is missing.
std::optional<std::string> TextOf(RunState& state, XmlNode root, std::string_view key,
                                  std::string_view language) {
  const XmlNode element = GetXMLNode(state, root, key, false);
  if (!element) return std::nullopt;
  const XmlAttribute text = element.Attribute(language);
  if (!text) return std::nullopt;
  return text.Text();
}

}  // namespace

std::string LangFile(const RunState& state) {
  return SharedConfigFolder(state) + "\\lang.xml";
}

std::string GetLanguage(RunState& state) {
  return Procedure<std::string>(state, "GetLanguage", Gate::kErrorOccurred, [&](std::string& code) {
    // The settings dialog's optLang array; of two selected options the higher index wins.
    const Form& settings = FormCollectionOf(state).Get(FormId::kSettings);
    int selected = -1;
    for (Control* control : settings.Controls()) {
      const auto* option = dynamic_cast<const OptionButton*>(control);
      if (option && option->Name() == "optLang" && option->Value())
        selected = std::max<int>(selected, option->Index());
    }
    if (selected >= 0) code = "Lang" + std::to_string(selected);
  });
}

std::string GetRightLangText(RunState& state, std::string_view key) {
  return Procedure<std::string>(state, "GetRightLangText", Gate::kNone, [&](std::string& text) {
    const std::string language = GetLanguage(state);
    if (!FileExists(state, LangFile(state), false)) return;
    const XmlDocument texts = XmlDocument::Load(state.platform.files, LangFile(state));
    text = TextOf(state, GetXMLRootNode(state, texts), key, language).value_or("");
  });
}

std::string BoxText(RunState& state, std::string_view key) {
  const bool error_occurred = state.ErrorOccurred;
  state.ErrorOccurred = false;
  std::string text = GetRightLangText(state, key);
  state.ErrorOccurred = error_occurred || state.ErrorOccurred;
  if (!text.empty()) return text;
  return "[" + std::string(key) + "] Kelvort has no text for this message: Config\\lang.xml " +
         "is missing or lacks it.";
}

void SetLanguage(RunState& state, Form& form) {
  Procedure(state, "SetLanguage", Gate::kErrorOccurred, [&] {
    const std::string language = GetLanguage(state);
    if (!FileExists(state, LangFile(state), false)) return;
    const XmlDocument texts = XmlDocument::Load(state.platform.files, LangFile(state));
    const XmlNode root = GetXMLRootNode(state, texts);
    for (Control* control : form.Controls()) {
      const std::string tag = control->Tag();
      if (tag.empty()) continue;
      const std::string key = Split(tag, ',').front();
      if (const auto caption = TextOf(state, root, key, language))
        control->Put("Caption", *caption);
    }
    if (form.Tag().empty()) return;
    if (const auto caption = TextOf(state, root, form.Tag(), language)) {
      form.SetCaption(std::string(kProductName) + " - " + *caption);
    }
  });
}

}  // namespace kelvort
