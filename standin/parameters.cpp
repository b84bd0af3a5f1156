// A collection of parameters or of user properties.
#include "parameters.h"

#include "collection_members.h"
#include "document.h"
#include "util/text.h"

namespace kelvort::standin {

Parameters::Parameters(HostPtr host, ParametersKind kind, std::weak_ptr<HostObject> owner,
                       std::weak_ptr<Document> document)
    : HostObject(std::move(host)),
      kind_(kind),
      owner_(std::move(owner)),
      document_(std::move(document)) {}

std::string Parameters::FullName(std::string_view short_name) const {
  const auto holder = owner();
  std::string name = holder ? holder->Name() : std::string();
  name += '\\';
  if (kind_ == ParametersKind::kUserProperties) {
    name += host()->PropertiesWord();
    name += '\\';
  }
  name += short_name;
  return name;
}

ParameterPtr Parameters::FindShort(std::string_view short_name) const {
  const auto found = by_short_name_.find(short_name);
  return found == by_short_name_.end() ? nullptr : items_[found->second];
}

ParameterPtr Parameters::Find(std::string_view key) const {
  const auto home = document();
  const bool full_name_only =
      kind_ == ParametersKind::kProduct && home && home->document_type() == DocumentType::kProduct;
  if (!full_name_only) {
    if (auto found = FindShort(key)) return found;
  }
  const std::string prefix = FullName("");
  if (!StartsWith(key, prefix)) return nullptr;
  return FindShort(key.substr(prefix.size()));
}

ParameterPtr Parameters::Create(std::string_view member, std::string name, ParameterType type,
                                const Variant& value) {
  Variant converted = Coerce(type, value);
  if (name.empty() || !IsStorableText(name) ||
      (type == ParameterType::kString && !IsStorableText(converted.ToText()))) {
    MethodFailed(member, Type());
  }
  name = FreeName(by_short_name_, std::move(name));
  auto parameter =
      std::make_shared<Parameter>(host(), SharedAs<Parameters>(), name, type, std::move(converted));
  by_short_name_.emplace(std::move(name), items_.size());
  items_.push_back(parameter);
  MarkChanged();
  return parameter;
}

void Parameters::MarkChanged() const {
  if (const auto home = document()) home->MarkChanged();
}

Variant Parameters::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Parameters;
  static const MemberTable<Self> kMembers = CollectionTable<Self>({
      {"CreateString", 2, 2,
       [](Self& self, Args args) {
         return Object(
             self.Create("CreateString", args[0].ToText(), ParameterType::kString, args[1]));
       }},
      {"CreateInteger", 2, 2,
       [](Self& self, Args args) {
         return Object(
             self.Create("CreateInteger", args[0].ToText(), ParameterType::kInteger, args[1]));
       }},
      {"CreateBoolean", 2, 2,
       [](Self& self, Args args) {
         return Object(
             self.Create("CreateBoolean", args[0].ToText(), ParameterType::kBoolean, args[1]));
       }},
      {"GetNameToUseInRelation", 1, 1,
       [](Self& self, Args args) -> Variant {
         const auto parameter = std::dynamic_pointer_cast<Parameter>(args[0].ToObjectOrNull());
         if (!parameter || parameter->parent() != self.SharedAs<Parameters>()) {
           MethodFailed("GetNameToUseInRelation", self.Type());
         }
         return parameter->short_name();
       }},
      {"CreateReal", 2, 2,
       [](Self& self, Args args) {
         return Object(self.Create("CreateReal", args[0].ToText(), ParameterType::kReal, args[1]));
       }},
  });
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
