// The part of a part document: its parameters and formulas.
#pragma once

#include <memory>
#include <string>

#include "parameters.h"
#include "relations.h"

namespace kelvort::standin {

class Part;
using PartPtr = std::shared_ptr<Part>;

class Part : public HostObject {
  struct Passkey {};

 public:
  // The part of document, whose product must already exist: its user properties are the
  // ones the part's formulas may drive.
  static PartPtr Create(HostPtr host, const std::shared_ptr<Document>& document);
  Part(Passkey, HostPtr host, std::weak_ptr<Document> document);

  std::string_view Type() const override { return "Part"; }
  // The part number of its document's product, as the host keeps the two alike.
  std::string Name() const override;

  std::shared_ptr<Document> document() const { return document_.lock(); }
  const ParametersPtr& parameters() const { return parameters_; }
  const RelationsPtr& relations() const { return relations_; }

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::weak_ptr<Document> document_;
  ParametersPtr parameters_;
  RelationsPtr relations_;
};

}  // namespace kelvort::standin
