// The part of a part document and its members.
#include "part.h"

#include "document.h"
#include "product.h"

namespace kelvort::standin {

Part::Part(Passkey, HostPtr host, std::weak_ptr<Document> document)
    : HostObject(std::move(host)), document_(std::move(document)) {}

PartPtr Part::Create(HostPtr host, const std::shared_ptr<Document>& document) {
  auto part = std::make_shared<Part>(Passkey{}, host, document);
  part->parameters_ = std::make_shared<Parameters>(host, ParametersKind::kPart, part, document);
  part->relations_ = std::make_shared<Relations>(host, part, document, part->parameters_,
                                                 document->product()->properties());
  return part;
}

std::string Part::Name() const {
  const auto home = document();
  return home && home->product() ? home->product()->part_number() : std::string();
}

Variant Part::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Part;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.document()); }},
      {"Parameters", 0, 0, [](Self& self, Args) { return Object(self.parameters()); }},
      {"Relations", 0, 0, [](Self& self, Args) { return Object(self.relations()); }},
      {"Update", 0, 0,
       [](Self& self, Args) -> Variant {
         self.relations()->Recompute("Update", "Part");
         return {};
       }},
  };
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
