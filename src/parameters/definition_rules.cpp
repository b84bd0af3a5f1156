// The judgement of one parameter definition, which the run and the check share.
#include "parameters/definition_rules.h"

#include <algorithm>
#include <vector>

#include "lang/language.h"
#include "log/procedure.h"
#include "parameters/regional_number.h"
#include "util/text.h"

namespace kelvort {
namespace {

std::string WrongDefault(RunState& state, const std::string& name, const std::string& rule) {
  return BoxText(state, "Thedefaultvalueof") + name + BoxText(state, "iswrong") + "\r\n" + rule;
}

// Whether the default is a number whose rounded value the host's 32-bit integers hold.
bool IsIntegerDefault(const RunState& state, const std::string& text) {
  return IgnoringErrors([&] { ToRegionalInteger(text, state.platform.formats); });
}

const char* ForbiddenNameCharacterKey(std::string_view name) {
  if (name.find('\'') != std::string_view::npos) return "Thenameofaparameterholdsaquote";
  if (name.find('\\') != std::string_view::npos) return "Thenameofaparameterholdsabackslash";
  return nullptr;
}

// A type that lists permitted values takes only one of them as its default.
bool IsPermittedDefault(std::string_view type, std::string_view default_value) {
  const std::vector<std::string> values = Split(type, ',');
  return values.size() < 2 ||
         std::find(values.begin(), values.end(), default_value) != values.end();
}

}  // namespace

std::optional<std::string> DefinitionRejection(RunState& state, const ParameterRow& row) {
  const auto& [name, type, default_value] = row;
  if (name.empty()) return BoxText(state, "Thenameofaparameterismissing");
  if (const char* key = ForbiddenNameCharacterKey(name)) {
    return BoxText(state, key) + "\r\n" + name;
  }
  if (type.empty()) return BoxText(state, "Thetypeofaparameterismissing");
  if (default_value.empty()) return std::nullopt;
  const std::string kind = ToLower(type);
  if (kind == "integer" && !IsIntegerDefault(state, default_value)) {
    return WrongDefault(state, name, BoxText(state, "ThevaluemustbeofthetypeInteger"));
  }
  const std::string lower_default = ToLower(default_value);
  if (kind == "boolean" && lower_default != "true" && lower_default != "false") {
    return WrongDefault(state, name, BoxText(state, "ThevaluemustbeofthetypeBoolean"));
  }
  if (!IsPermittedDefault(type, default_value)) {
    return WrongDefault(state, name,
                        BoxText(state, "ThevaluemustbeoneofthepermittedvaluesPrefix") + type);
  }
  return std::nullopt;
}

}  // namespace kelvort
