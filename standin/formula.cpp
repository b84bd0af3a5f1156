// A formula and its members.
#include "formula.h"

#include "relations.h"

namespace kelvort::standin {

Formula::Formula(HostPtr host, std::weak_ptr<Relations> parent, std::string name,
                 std::string comment, std::string body, const ParameterPtr& output)
    : HostObject(std::move(host)),
      parent_(std::move(parent)),
      name_(std::move(name)),
      comment_(std::move(comment)),
      body_(std::move(body)),
      output_(output) {}

Variant Formula::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Formula;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.parent()); }},
      {"Value", 0, 0, [](Self& self, Args) -> Variant { return self.body(); }},
      {"Comment", 0, 0, [](Self& self, Args) -> Variant { return self.comment(); }},
  };
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
