// A collection of parameters or of user properties, with the host's naming rules.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "name_index.h"
#include "parameter.h"

namespace kelvort::standin {

class Document;

enum class ParametersKind {
  kPart,            // <part name>\<name>; found by full and short name
  kProduct,         // <part number>\<name>; in a product document found by full name only
  kUserProperties,  // <part number>\Properties\<name>; found by full and short name
};

class Parameters : public HostObject {
 public:
  // owner is the part or reference product that holds the collection.
  Parameters(HostPtr host, ParametersKind kind, std::weak_ptr<HostObject> owner,
             std::weak_ptr<Document> document);

  std::string_view Type() const override { return "Parameters"; }
  std::string Name() const override { return "Parameters"; }

  ParametersKind kind() const { return kind_; }
  const std::vector<ParameterPtr>& items() const { return items_; }
  std::shared_ptr<HostObject> owner() const { return owner_.lock(); }
  std::shared_ptr<Document> document() const { return document_.lock(); }

  // The parameter a key names under the naming rules, or null.
  ParameterPtr Find(std::string_view key) const;
  ParameterPtr FindShort(std::string_view short_name) const;
  std::string FullName(std::string_view short_name) const;

  // Creates a parameter; a name that the collection holds takes the next free ".N"
  // suffix. member names the creating member for the host's refusal (an empty or
  // unstorable name, an unstorable text).
  ParameterPtr Create(std::string_view member, std::string name, ParameterType type,
                      const Variant& value);
  void MarkChanged() const;

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  ParametersKind kind_;
  std::weak_ptr<HostObject> owner_;
  std::weak_ptr<Document> document_;
  std::vector<ParameterPtr> items_;
  NameIndex by_short_name_;
};

using ParametersPtr = std::shared_ptr<Parameters>;

}  // namespace kelvort::standin
