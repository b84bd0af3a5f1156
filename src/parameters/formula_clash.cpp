// Whether a definition's formula may be added without changing or breaking what the user
// has in its user property.
#include "parameters/formula_clash.h"

#include "host/late_binding.h"
#include "parameters/defined_value.h"

namespace kelvort {

std::optional<std::string> FormulaClash(const ParameterRow& row, const DefinitionItems* found,
                                        Dispatch& user_property) {
  if (found == nullptr) return std::nullopt;
  const bool property_existed = !found->user_property_created;
  std::optional<Variant> parameter_value = found->created_parameter_value;
  if (!property_existed && parameter_value) return std::nullopt;  // both new, alike
  if (property_existed) {
    const DispatchPtr relation = user_property.Get("OptionalRelation").ToObjectOrNull();
    if (relation) return "driven by " + TextMember(relation, "Name");
  }
  if (!parameter_value) parameter_value = found->parameter_value;
  if (!parameter_value && found->parameter) parameter_value = found->parameter->Get("Value");
  // Not known: the parameter fill did not get this far.
  if (!parameter_value || parameter_value->IsEmpty()) return std::nullopt;
  std::optional<Variant> property_value;
  if (property_existed) {
    property_value = found->user_value ? *found->user_value : user_property.Get("Value");
  }
  const std::string parameter_type = TypeNameOf(*parameter_value);
  const std::string property_type =
      property_value ? TypeNameOf(*property_value) : TypeNameOf(KindOf(row));
  if (!parameter_type.empty() && !property_type.empty() && parameter_type != property_type) {
    return "types differ: " + parameter_type + " and " + property_type;
  }
  if (property_value && ValueWord(*parameter_value) != ValueWord(*property_value)) {
    return "values differ: parameter " + ValueWord(*parameter_value) + ", user property " +
           ValueWord(*property_value);
  }
  return std::nullopt;
}

}  // namespace kelvort
