// Creates the parameters of the definition table that a host collection still lacks.
#include "parameters/fill_part.h"

#include <optional>
#include <string>

#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/definition_rows.h"
#include "parameters/recording.h"
#include "parameters/regional_number.h"
#include "util/text.h"

namespace kelvort {
namespace {

// Whether the collection already holds the key; a failing look-up counts as not found.
bool Holds(Dispatch& collection, const std::string& key) {
  bool found = false;
  IgnoringErrors([&] { found = collection.Call("Item", {key}).ToObjectOrNull() != nullptr; });
  return found;
}

void Create(const RunState& state, Dispatch& collection, const ParameterRow& row) {
  const std::string& name = row[0];
  const std::string& type = row[1];
  const std::string& default_value = row[2];
  const std::vector<std::string> pieces = Split(type, ',');
  if (pieces.size() == 1) {
    const std::string kind = ToLower(type);
    if (kind == "boolean") {
      collection.Call("CreateBoolean", {name, ToLower(default_value) == "true"});
    } else if (kind == "integer") {
      const int32_t value =
          default_value.empty() ? 0 : ToRegionalInteger(default_value, state.platform.formats);
      collection.Call("CreateInteger", {name, value});
    } else {
      collection.Call("CreateString", {name, default_value});
    }
    return;
  }
  // A value list, or no type at all, makes a text parameter with permitted values. It is
  // created holding its default, so that one interrupted before its values are set still
  // holds what the formula of its user property may carry.
  const DispatchPtr parameter = collection.Call("CreateString", {name, default_value}).ToObject();
  if (pieces.empty()) Raise(errors::kSubscriptOutOfRange);  // no list to permit
  Variant::Array values(pieces.begin(), pieces.end());
  parameter->Call("SetEnumerateValues", {Variant(std::move(values))});
  if (!default_value.empty()) parameter->Put("Value", default_value);
}

}  // namespace

void Fill_Part(RunState& state, const DispatchPtr& collection, bool primary,
               const DispatchPtr& owner_document) {
  Fill_Part(state, collection, primary, DefiningDocument(owner_document));
}

void Fill_Part(RunState& state, const DispatchPtr& collection, bool primary,
               const DefiningDocument& owner_document) {
  Procedure(state, "Fill_Part", Gate::kNone, [&] {
    const std::vector<ParameterRow>& rows = DefinitionRows(state);
    const DispatchPtr recorded =
        Recorded(state, collection, primary ? ItemKind::kParameter : ItemKind::kUserProperty);
    Dispatch& target = Deref(recorded);
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
      if (Holds(target, prefix() + row[0])) continue;
      Create(state, target, row);
    }
    DefinitionInHand(state, "");
  });
}

}  // namespace kelvort
