// A parameter or user property: a named value of one type, a text one with optional
// permitted values.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_object.h"
#include "parameter_type.h"

namespace kelvort::standin {

class Parameters;

class Parameter : public HostObject {
 public:
  // value must already be of the type's kind (see Coerce).
  Parameter(HostPtr host, std::weak_ptr<Parameters> parent, std::string short_name,
            ParameterType type, Variant value);

  std::string_view Type() const override { return HostTypeName(type_); }
  // The name as the host lists it: <owner>\<name> or <part number>\Properties\<name>.
  std::string Name() const override;

  const std::string& short_name() const { return short_name_; }
  ParameterType type() const { return type_; }
  const Variant& value() const { return value_; }
  const std::vector<std::string>& permitted() const { return permitted_; }
  std::shared_ptr<Parameters> parent() const { return parent_.lock(); }

  // The relation whose output the parameter is, if any; the host lets one relation drive
  // it, no more.
  std::shared_ptr<HostObject> driver() const { return driver_.lock(); }
  bool driven() const { return driver() != nullptr; }
  void set_driver(const std::shared_ptr<HostObject>& relation) { driver_ = relation; }

  std::string ValueAsString() const { return ValueText(type_, value_); }
  // Sets the value, converted to the parameter's type. The host refuses a text that is
  // not one of the permitted values or that it cannot store.
  void SetValue(const Variant& value);
  // Makes the parameter enumerated (text parameters only); the list must not be empty and
  // must hold the current value unless that is empty. The current value stays as it is.
  void SetPermitted(std::vector<std::string> values);

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  void MarkChanged() const;

  std::weak_ptr<Parameters> parent_;
  std::string short_name_;
  ParameterType type_;
  Variant value_;
  std::vector<std::string> permitted_;
  std::weak_ptr<HostObject> driver_;
};

using ParameterPtr = std::shared_ptr<Parameter>;

}  // namespace kelvort::standin
