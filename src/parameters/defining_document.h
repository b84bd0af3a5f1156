// The document that defines a product or part of the walk, with its type asked of the host
// once: the walk, the parameter creation and the formula update all need to know whether
// it is a product document.
#pragma once

#include <optional>
#include <utility>

#include "host/dispatch.h"
#include "host/late_binding.h"

namespace kelvort {

class DefiningDocument {
 public:
  DefiningDocument() = default;
  explicit DefiningDocument(DispatchPtr document) : document_(std::move(document)) {}

  const DispatchPtr& object() const { return document_; }

  // Whether its type name is exactly "ProductDocument". A failing read is not kept: the
  // next caller asks again.
  bool IsProductDocument() const {
    if (!product_document_) product_document_ = Deref(document_).TypeName() == "ProductDocument";
    return *product_document_;
  }

 private:
  DispatchPtr document_;
  mutable std::optional<bool> product_document_;
};

}  // namespace kelvort
