// The children of a product, in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "name_index.h"
#include "product.h"

namespace kelvort::standin {

class Products : public HostObject {
 public:
  Products(HostPtr host, std::weak_ptr<Product> parent);

  std::string_view Type() const override { return "Products"; }
  std::string Name() const override { return "Products"; }

  const std::vector<ProductPtr>& items() const { return items_; }
  // The product whose children these are.
  ProductPtr owner() const { return parent_.lock(); }
  ProductPtr Find(std::string_view name) const;
  // Places a new instance of reference; false when the name is empty or taken.
  bool AddInstance(std::string name, const ProductPtr& reference);
  // Removes every instance: how a refused structure, which may contain itself, is let go.
  void Clear();

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::weak_ptr<Product> parent_;
  std::vector<ProductPtr> items_;
  NameIndex by_name_;
};

using ProductsPtr = std::shared_ptr<Products>;

}  // namespace kelvort::standin
