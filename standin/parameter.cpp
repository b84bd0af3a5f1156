// A parameter or user property and its members.
#include "parameter.h"

#include <algorithm>

#include "document.h"
#include "parameters.h"

namespace kelvort::standin {

Parameter::Parameter(HostPtr host, std::weak_ptr<Parameters> parent, std::string short_name,
                     ParameterType type, Variant value)
    : HostObject(std::move(host)),
      parent_(std::move(parent)),
      short_name_(std::move(short_name)),
      type_(type),
      value_(std::move(value)) {}

std::string Parameter::Name() const {
  const auto parameters = parent();
  return parameters ? parameters->FullName(short_name_) : short_name_;
}

void Parameter::SetValue(const Variant& value) {
  Variant converted = Coerce(type_, value);
  // The value held already is no change, even one outside the permitted values (the empty
  // text a new enumerated parameter keeps): a formula's recomputation writes it back.
  if (converted == value_) return;
  if (type_ == ParameterType::kString) {
    const std::string text = converted.ToText();
    if (!IsStorableText(text)) MethodFailed("Value", Type());
    if (!permitted_.empty() &&
        std::find(permitted_.begin(), permitted_.end(), text) == permitted_.end()) {
      MethodFailed("Value", Type());
    }
  }
  value_ = std::move(converted);
  MarkChanged();
}

void Parameter::SetPermitted(std::vector<std::string> values) {
  if (type_ != ParameterType::kString || values.empty()) {
    MethodFailed("SetEnumerateValues", Type());
  }
  for (const std::string& text : values) {
    if (!IsStorableText(text)) MethodFailed("SetEnumerateValues", Type());
  }
  const std::string current = value_.ToText();
  if (!current.empty() && std::find(values.begin(), values.end(), current) == values.end()) {
    MethodFailed("SetEnumerateValues", Type());
  }
  if (values == permitted_) return;
  permitted_ = std::move(values);
  MarkChanged();
}

void Parameter::MarkChanged() const {
  if (const auto parameters = parent()) parameters->MarkChanged();
}

Variant Parameter::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Parameter;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.parent()); }},
      {"Value", 0, 0, [](Self& self, Args) { return self.value(); },
       [](Self& self, const Variant& value) { self.SetValue(value); }},
      {"ValueAsString", 0, 0, [](Self& self, Args) -> Variant { return self.ValueAsString(); }},
      // Nothing, or the relation that computes the parameter.
      {"OptionalRelation", 0, 0, [](Self& self, Args) { return Object(self.driver()); }},
  };
  static const MemberTable<Self> kTextMembers{
      {"SetEnumerateValues", 1, 1,
       [](Self& self, Args args) -> Variant {
         std::vector<std::string> values;
         for (const Variant& item : args[0].ToArray()) values.push_back(item.ToText());
         self.SetPermitted(std::move(values));
         return {};
       }},
      {"GetEnumerateValuesSize", 0, 0,
       [](Self& self, Args) -> Variant { return static_cast<int32_t>(self.permitted().size()); }},
      // The host fills the caller's array; late binding here returns the values instead,
      // and the array argument, when given, is ignored.
      {"GetEnumerateValues", 0, 1,
       [](Self& self, Args) -> Variant {
         Variant::Array values(self.permitted().begin(), self.permitted().end());
         return values;
       }},
  };
  if (type_ == ParameterType::kString && kTextMembers.Has(member)) {
    return kTextMembers.Serve(*this, kind, member, args);
  }
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
