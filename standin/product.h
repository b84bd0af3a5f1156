// A product: a reference product that defines a component, or an instance that places
// one in its parent's structure.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "parameters.h"
#include "relations.h"

namespace kelvort::standin {

class Products;
class Product;
using ProductPtr = std::shared_ptr<Product>;

class Product : public HostObject {
  struct Passkey {};

 public:
  // A reference product with empty collections, defined in document.
  static ProductPtr CreateReference(HostPtr host, std::string part_number,
                                    std::weak_ptr<Document> document);
  // An instance named name (such as "Bolt.1") of reference, a child in parent.
  static ProductPtr CreateInstance(HostPtr host, std::string name, ProductPtr reference,
                                   std::weak_ptr<Products> parent);
  Product(Passkey, HostPtr host, std::string name);

  std::string_view Type() const override { return "Product"; }
  // An instance's own name; a reference product's part number.
  std::string Name() const override { return name_; }

  bool is_instance() const { return reference_ != nullptr; }
  // The defining product: an instance's reference, a reference product itself.
  ProductPtr reference() { return reference_ ? reference_ : SharedAs<Product>(); }
  const std::string& part_number() const { return reference_ ? reference_->part_number() : name_; }
  // The document that defines the product.
  std::shared_ptr<Document> document() const {
    return reference_ ? reference_->document() : document_.lock();
  }
  // An instance answers its reference's collections and children.
  const ParametersPtr& parameters() const { return Defining().parameters_; }
  const ParametersPtr& properties() const { return Defining().properties_; }
  const RelationsPtr& relations() const { return Defining().relations_; }
  const std::shared_ptr<Products>& products() const { return Defining().products_; }

  // Recomputes the formulas of the product's whole structure, each reference once.
  void Update();

  // Whether the document that defines the product is loaded (see Document::loaded).
  bool loaded() const;
  // CATIA's work modes: 0 (default) loads the product's own document, 1 (visualization)
  // changes nothing here, 2 (design) loads every document of the structure below.
  void ApplyWorkMode(int32_t mode);

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::optional<Variant> ServeUnloaded(std::string_view member) const;
  const Product& Defining() const { return reference_ ? *reference_ : *this; }
  DispatchPtr Parent() const;

  std::string name_;
  ProductPtr reference_;              // instances only
  std::weak_ptr<Products> parent_;    // instances only
  std::weak_ptr<Document> document_;  // reference products only
  ParametersPtr parameters_;          // reference products only
  ParametersPtr properties_;
  RelationsPtr relations_;
  std::shared_ptr<Products> products_;
};

}  // namespace kelvort::standin
