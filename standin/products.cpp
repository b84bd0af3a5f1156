// The children of a product.
#include "products.h"

#include "collection_members.h"

namespace kelvort::standin {

Products::Products(HostPtr host, std::weak_ptr<Product> parent)
    : HostObject(std::move(host)), parent_(std::move(parent)) {}

ProductPtr Products::Find(std::string_view name) const {
  const auto found = by_name_.find(name);
  return found == by_name_.end() ? nullptr : items_[found->second];
}

bool Products::AddInstance(std::string name, const ProductPtr& reference) {
  if (name.empty() || by_name_.contains(name)) return false;
  by_name_.emplace(name, items_.size());
  items_.push_back(
      Product::CreateInstance(host(), std::move(name), reference, SharedAs<Products>()));
  return true;
}

void Products::Clear() {
  items_.clear();
  by_name_.clear();
}

Variant Products::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Products;
  static const MemberTable<Self> kMembers = CollectionTable<Self>({});
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
