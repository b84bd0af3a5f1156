// The formulas of a part or product, and their recomputation on update.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formula.h"
#include "name_index.h"
#include "parameters.h"

namespace kelvort::standin {

class Relations : public HostObject {
 public:
  // owner is the part or reference product that holds the formulas. A formula may drive a
  // parameter of parameters (the owner's) or a user property of properties (the owner's,
  // or for a part, its document's product's).
  Relations(HostPtr host, std::weak_ptr<HostObject> owner, std::weak_ptr<Document> document,
            std::weak_ptr<Parameters> parameters, std::weak_ptr<Parameters> properties);

  std::string_view Type() const override { return "Relations"; }
  std::string Name() const override { return "Relations"; }

  const std::vector<FormulaPtr>& items() const { return items_; }
  std::shared_ptr<HostObject> owner() const { return owner_.lock(); }
  ParametersPtr parameters() const { return parameters_.lock(); }
  ParametersPtr properties() const { return properties_.lock(); }

  FormulaPtr Find(std::string_view name) const;
  // The host refuses an empty or unstorable name or text, an output outside the owner's
  // collections and an output that another formula drives already. A name that the
  // collection holds takes the next free ".N" suffix.
  FormulaPtr CreateFormula(std::string name, std::string comment, const ParameterPtr& output,
                           std::string body);
  // Gives every formula whose body names a parameter (by short name, in the owner's
  // parameters, then its user properties, never the output itself) that parameter's value.
  // Fails as the member would when a value does not suit its output.
  void Recompute(std::string_view member, std::string_view type_name);

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  ParameterPtr Source(const Formula& formula, const ParameterPtr& output) const;

  std::weak_ptr<HostObject> owner_;
  std::weak_ptr<Document> document_;
  std::weak_ptr<Parameters> parameters_;
  std::weak_ptr<Parameters> properties_;
  std::vector<FormulaPtr> items_;
  NameIndex by_name_;
};

using RelationsPtr = std::shared_ptr<Relations>;

}  // namespace kelvort::standin
