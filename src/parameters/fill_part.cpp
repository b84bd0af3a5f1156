// Creates the parameters of the definition table that a host collection still lacks.
#include "parameters/fill_part.h"

#include <optional>
#include <string>
#include <utility>

#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/defined_value.h"
#include "parameters/definition_rows.h"
#include "parameters/recording.h"
#include "parameters/regional_number.h"
#include "util/text.h"

namespace kelvort {
namespace {

// The item the collection holds under the key; a failing look-up counts as not found.
DispatchPtr Held(Dispatch& collection, const std::string& key) {
  DispatchPtr found;
  IgnoringErrors([&] { found = collection.Call("Item", {key}).ToObjectOrNull(); });
  return found;
}

// The value a new parameter starts with: the definition's default.
Variant DefaultValue(const RunState& state, const ParameterRow& row) {
  const std::string& default_value = row[2];
  switch (KindOf(row)) {
    case DefinedKind::kBoolean:
      return ToLower(default_value) == "true";
    case DefinedKind::kInteger:
      return default_value.empty() ? 0 : ToRegionalInteger(default_value, state.platform.formats);
    default:
      return default_value;
  }
}

void Create(Dispatch& collection, const ParameterRow& row, const Variant& value) {
  const std::string& name = row[0];
  const DefinedKind kind = KindOf(row);
  if (kind != DefinedKind::kEnumerated) {
    collection.Call(kind == DefinedKind::kBoolean   ? "CreateBoolean"
                    : kind == DefinedKind::kInteger ? "CreateInteger"
                                                    : "CreateString",
                    {name, value});
    return;
  }
  // A value list, or no type at all, makes a text parameter with permitted values. It is
  // created holding its value, so that one interrupted before its values are set still
  // holds what the formula of its user property may carry.
  const DispatchPtr parameter = collection.Call("CreateString", {name, value}).ToObject();
  const std::vector<std::string> pieces = PermittedOf(row);
  if (pieces.empty()) Raise(errors::kSubscriptOutOfRange);  // no list to permit
  Variant::Array values(pieces.begin(), pieces.end());
  parameter->Call("SetEnumerateValues", {Variant(std::move(values))});
  if (!value.ToText().empty()) parameter->Put("Value", value);
}

// A parameter the collection lacks, created holding the value its user property already
// has where that converts exactly, otherwise the default. The look-up of the user property
// is the user-property fill's own, kept for it.
void CreateParameter(RunState& state, Dispatch& parameters, const ParameterRow& row,
                     VisitItems& items, Dispatch* user_properties) {
  DefinitionItems& found = items[row[0]];
  std::optional<Variant> taken;
  if (user_properties != nullptr) {
    found.user_property = Held(*user_properties, row[0]);
    if (*found.user_property) {
      found.user_value = (*found.user_property)->Get("Value");
      taken = ExactValue(*found.user_value, row);
    }
  }
  const Variant value = taken ? *taken : DefaultValue(state, row);
  Create(parameters, row, value);
  found.created_parameter_value = value;
  if (taken) RecordValueTaken(state);
}

// The value a new user property starts with: the one its parameter held before the run
// where that converts exactly, otherwise the default. The formula would give it that value
// at the next update; holding it already, a run interrupted before the formula leaves the
// two equal, and the rerun links them instead of finding a value it must not overwrite.
Variant UserPropertyValue(const RunState& state, const ParameterRow& row, DefinitionItems& found) {
  if (found.parameter && !found.parameter_value) {
    found.parameter_value = found.parameter->Get("Value");
  }
  std::optional<Variant> taken;
  if (found.parameter_value) taken = ExactValue(*found.parameter_value, row);
  return taken ? *taken : DefaultValue(state, row);
}

}  // namespace

void Fill_Part(RunState& state, const DispatchPtr& collection, bool primary,
               const DefiningDocument& owner_document, VisitItems& items) {
  Procedure(state, "Fill_Part", Gate::kNone, [&] {
    const std::vector<ParameterRow>& rows = DefinitionRows(state);
    const DispatchPtr recorded =
        Recorded(state, collection, primary ? ItemKind::kParameter : ItemKind::kUserProperty);
    Dispatch& target = Deref(recorded);
    const DispatchPtr user_properties =
        primary ? Recorded(state, items.user_properties(), ItemKind::kUserProperty) : nullptr;
    // Neither the owner's type nor the parent's name change during the call: each is
    // read once, when first needed.
    std::optional<std::string> key_prefix;
    auto prefix = [&]() -> const std::string& {
      if (!key_prefix) {
        const bool product_document = primary && owner_document.IsProductDocument();
        key_prefix = product_document
                         ? TextMember(ObjectMember(collection, "Parent"), "Name") + "\\"
                         : std::string();
      }
      return *key_prefix;
    };
    for (const ParameterRow& row : rows) {
      DefinitionInHand(state, row[0]);
      if (primary) {
        if (DispatchPtr parameter = Held(target, prefix() + row[0])) {
          DefinitionItems& found = items[row[0]];
          if (!found.created_parameter_value) found.parameter = std::move(parameter);
          continue;
        }
        CreateParameter(state, target, row, items, user_properties.get());
        continue;
      }
      // The parameter fill's answer is taken once; a definition named twice asks again.
      DefinitionItems& found = items[row[0]];
      std::optional<DispatchPtr> asked = std::exchange(found.user_property, std::nullopt);
      const bool held = asked ? *asked != nullptr : Held(target, prefix() + row[0]) != nullptr;
      if (held) continue;
      Create(target, row, UserPropertyValue(state, row, found));
      found.user_property_created = true;
    }
    DefinitionInHand(state, "");
  });
}

}  // namespace kelvort
