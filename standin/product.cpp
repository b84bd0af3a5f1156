// A product and its members.
#include "product.h"

#include <optional>
#include <unordered_set>

#include "document.h"
#include "part.h"
#include "products.h"
#include "util/text.h"

namespace kelvort::standin {

Product::Product(Passkey, HostPtr host, std::string name)
    : HostObject(std::move(host)), name_(std::move(name)) {}

ProductPtr Product::CreateReference(HostPtr host, std::string part_number,
                                    std::weak_ptr<Document> document) {
  auto product = std::make_shared<Product>(Passkey{}, host, std::move(part_number));
  product->document_ = document;
  product->parameters_ =
      std::make_shared<Parameters>(host, ParametersKind::kProduct, product, document);
  product->properties_ =
      std::make_shared<Parameters>(host, ParametersKind::kUserProperties, product, document);
  product->relations_ = std::make_shared<Relations>(host, product, document, product->parameters_,
                                                    product->properties_);
  product->products_ = std::make_shared<Products>(host, product);
  return product;
}

ProductPtr Product::CreateInstance(HostPtr host, std::string name, ProductPtr reference,
                                   std::weak_ptr<Products> parent) {
  auto product = std::make_shared<Product>(Passkey{}, std::move(host), std::move(name));
  product->reference_ = reference->reference();
  product->parent_ = std::move(parent);
  return product;
}

DispatchPtr Product::Parent() const {
  if (reference_) return parent_.lock();
  return document_.lock();
}

void Product::Update() {
  std::unordered_set<const Product*> done;
  const auto update = [&](const auto& self, Product& reference) -> void {
    if (!done.insert(&reference).second) return;
    reference.relations()->Recompute("Update", "Product");
    const auto home = reference.document();
    if (home && home->part() && home->product().get() == &reference) {
      home->part()->relations()->Recompute("Update", "Product");
    }
    for (const ProductPtr& child : reference.products()->items()) {
      self(self, *child->reference());
    }
  };
  update(update, *reference());
}

bool Product::loaded() const {
  const auto home = document();
  return !home || home->loaded();
}

void Product::ApplyWorkMode(int32_t mode) {
  if (mode < 0 || mode > 2) MethodFailed("ApplyWorkMode", Type());
  const auto load = [](Product& reference) {
    if (const auto home = reference.document()) home->SetLoaded(true);
  };
  if (mode == 0) load(*reference());
  if (mode != 2) return;
  std::unordered_set<const Product*> done;
  const auto load_below = [&](const auto& self, Product& reference) -> void {
    if (!done.insert(&reference).second) return;
    load(reference);
    for (const ProductPtr& child : reference.products()->items()) {
      self(self, *child->reference());
    }
  };
  load_below(load_below, *reference());
}

// A product whose document is not loaded (cache mode) answers an empty part number and
// fails what needs the document's content; its name, an instance's parent, its reference
// and the work modes remain.
std::optional<Variant> Product::ServeUnloaded(std::string_view member) const {
  static constexpr std::string_view kNeedContent[] = {"Parameters", "UserRefProperties",
                                                      "Relations", "Products"};
  if (EqualsIgnoreCase(member, "PartNumber")) return Variant(std::string());
  if (EqualsIgnoreCase(member, "Parent") && !is_instance()) MethodFailed("Parent", Type());
  for (const std::string_view name : kNeedContent) {
    if (EqualsIgnoreCase(member, name)) MethodFailed(name, Type());
  }
  return std::nullopt;
}

Variant Product::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Product;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.Parent()); }},
      {"PartNumber", 0, 0, [](Self& self, Args) -> Variant { return self.part_number(); }},
      {"ReferenceProduct", 0, 0, [](Self& self, Args) { return Object(self.reference()); }},
      {"Parameters", 0, 0, [](Self& self, Args) { return Object(self.parameters()); }},
      {"UserRefProperties", 0, 0, [](Self& self, Args) { return Object(self.properties()); }},
      {"Relations", 0, 0, [](Self& self, Args) { return Object(self.relations()); }},
      {"Products", 0, 0, [](Self& self, Args) { return Object(self.products()); }},
      {"Update", 0, 0,
       [](Self& self, Args) -> Variant {
         self.Update();
         return {};
       }},
      {"ApplyWorkMode", 1, 1,
       [](Self& self, Args args) -> Variant {
         self.ApplyWorkMode(args[0].ToLong());
         return {};
       }},
  };
  if (!loaded()) {
    if (std::optional<Variant> answer = ServeUnloaded(member)) return *answer;
  }
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
