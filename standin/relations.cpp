// The formulas of a part or product.
#include "relations.h"

#include "collection_members.h"
#include "document.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort::standin {

Relations::Relations(HostPtr host, std::weak_ptr<HostObject> owner,
                     std::weak_ptr<Document> document, std::weak_ptr<Parameters> parameters,
                     std::weak_ptr<Parameters> properties)
    : HostObject(std::move(host)),
      owner_(std::move(owner)),
      document_(std::move(document)),
      parameters_(std::move(parameters)),
      properties_(std::move(properties)) {}

FormulaPtr Relations::Find(std::string_view name) const {
  const auto found = by_name_.find(name);
  return found == by_name_.end() ? nullptr : items_[found->second];
}

FormulaPtr Relations::CreateFormula(std::string name, std::string comment,
                                    const ParameterPtr& output, std::string body) {
  const auto output_parent = output ? output->parent() : nullptr;
  const bool output_held_here =
      output_parent && (output_parent == parameters() || output_parent == properties());
  if (name.empty() || !IsStorableText(name) || !IsStorableText(comment) || !IsStorableText(body) ||
      !output_held_here || output->driven()) {
    MethodFailed("CreateFormula", Type());
  }
  name = FreeName(by_name_, std::move(name));
  auto formula = std::make_shared<Formula>(host(), SharedAs<Relations>(), name, std::move(comment),
                                           std::move(body), output);
  output->set_driver(formula);
  by_name_.emplace(std::move(name), items_.size());
  items_.push_back(formula);
  if (const auto home = document_.lock()) home->MarkChanged();
  return formula;
}

ParameterPtr Relations::Source(const Formula& formula, const ParameterPtr& output) const {
  const std::string_view name = Trim(formula.body());
  for (const auto& collection : {parameters(), properties()}) {
    if (!collection) continue;
    auto candidate = collection->FindShort(name);
    if (candidate && candidate != output) return candidate;
  }
  return nullptr;
}

void Relations::Recompute(std::string_view member, std::string_view type_name) {
  for (const FormulaPtr& formula : items_) {
    const ParameterPtr output = formula->output();
    if (!output) continue;
    const ParameterPtr source = Source(*formula, output);
    if (!source) continue;
    try {
      output->SetValue(source->value());
    } catch (const RunError&) {
      MethodFailed(member, type_name);
    }
  }
}

Variant Relations::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Relations;
  static const MemberTable<Self> kMembers = CollectionTable<Self>({
      {"CreateFormula", 4, 4,
       [](Self& self, Args args) {
         const auto output = std::dynamic_pointer_cast<Parameter>(args[2].ToObjectOrNull());
         return Object(
             self.CreateFormula(args[0].ToText(), args[1].ToText(), output, args[3].ToText()));
       }},
  });
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
