// A document and its members.
#include "document.h"

#include "application.h"
#include "document_file_io.h"
#include "part.h"
#include "product.h"
#include "selection.h"

namespace kelvort::standin {

std::string_view DocumentTypeName(DocumentType type) {
  switch (type) {
    case DocumentType::kProduct:
      return "ProductDocument";
    case DocumentType::kPart:
      return "PartDocument";
    case DocumentType::kDrawing:
      return "DrawingDocument";
  }
  return {};
}

Document::Document(HostPtr host, DocumentType type, std::filesystem::path file,
                   std::weak_ptr<Application> application)
    : HostObject(std::move(host)),
      type_(type),
      file_(std::move(file)),
      application_(std::move(application)) {}

std::string Document::FullName() const {
  return HostFileName(file_);
}

std::shared_ptr<Product> Document::FindComponent(std::string_view part_number) const {
  const auto found = components_by_part_number_.find(part_number);
  return found == components_by_part_number_.end() ? nullptr : components_[found->second];
}

bool Document::AddComponent(std::shared_ptr<Product> component) {
  const std::string& part_number = component->part_number();
  if ((product_ && product_->part_number() == part_number) ||
      !components_by_part_number_.emplace(part_number, components_.size()).second) {
    return false;
  }
  components_.push_back(std::move(component));
  return true;
}

const std::shared_ptr<Selection>& Document::selection() {
  if (!selection_) selection_ = std::make_shared<Selection>(host(), SharedAs<Document>());
  return selection_;
}

Variant Document::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Document;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"FullName", 0, 0, [](Self& self, Args) -> Variant { return self.FullName(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.application()); }},
      {"Selection", 0, 0, [](Self& self, Args) { return Object(self.selection()); }},
      {"Activate", 0, 0,
       [](Self& self, Args) {
         self.application()->Activate(self.SharedAs<Document>());
         return Variant();
       }},
      {"Close", 0, 0,
       [](Self& self, Args) {
         self.application()->CloseDocument(self.SharedAs<Document>());
         return Variant();
       }},
  };
  // A drawing has neither a product nor a part; a product document has no part.
  static const MemberTable<Self> kProductMember{
      {"Product", 0, 0, [](Self& self, Args) { return Object(self.product()); }},
  };
  static const MemberTable<Self> kPartMember{
      {"Part", 0, 0, [](Self& self, Args) { return Object(self.part()); }},
  };
  if (product_ && kProductMember.Has(member)) {
    return kProductMember.Serve(*this, kind, member, args);
  }
  if (part_ && kPartMember.Has(member)) return kPartMember.Serve(*this, kind, member, args);
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
