// A formula: a named relation whose body drives an output parameter.
#pragma once

#include <memory>
#include <string>

#include "parameter.h"

namespace kelvort::standin {

class Relations;

class Formula : public HostObject {
 public:
  Formula(HostPtr host, std::weak_ptr<Relations> parent, std::string name, std::string comment,
          std::string body, const ParameterPtr& output);

  std::string_view Type() const override { return "Formula"; }
  std::string Name() const override { return name_; }

  const std::string& comment() const { return comment_; }
  const std::string& body() const { return body_; }
  ParameterPtr output() const { return output_.lock(); }
  std::shared_ptr<Relations> parent() const { return parent_.lock(); }

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::weak_ptr<Relations> parent_;
  std::string name_;
  std::string comment_;
  std::string body_;
  std::weak_ptr<Parameter> output_;
};

using FormulaPtr = std::shared_ptr<Formula>;

}  // namespace kelvort::standin
