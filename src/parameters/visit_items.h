// What the fills of one visit find and make for each definition: the parameter fill asks for
// the user property once and the user-property fill takes the answer; the formula update
// learns from both what existed before the run and what the run made.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "host/dispatch.h"
#include "host/variant.h"

namespace kelvort {

struct DefinitionItems {
  // The parameter as the fill found it, when it existed before.
  DispatchPtr parameter;
  // Its value, once read.
  std::optional<Variant> parameter_value;
  // The value the fill created the parameter with.
  std::optional<Variant> created_parameter_value;
  // The answer of the user-property look-up (null: not held), when the parameter fill asked.
  std::optional<DispatchPtr> user_property;
  // The value of the user property found there.
  std::optional<Variant> user_value;
  // Whether the user-property fill created it.
  bool user_property_created = false;
};

class VisitItems {
 public:
  // user_properties is the collection the user-property fill of the same visit works on.
  explicit VisitItems(DispatchPtr user_properties) : user_properties_(std::move(user_properties)) {}

  const DispatchPtr& user_properties() const { return user_properties_; }
  DefinitionItems& operator[](const std::string& name) { return items_[name]; }
  const DefinitionItems* Find(const std::string& name) const {
    const auto found = items_.find(name);
    return found == items_.end() ? nullptr : &found->second;
  }

 private:
  DispatchPtr user_properties_;
  std::map<std::string, DefinitionItems> items_;
};

}  // namespace kelvort
