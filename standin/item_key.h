// The argument of a collection's Item: a 1-based position or a name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/variant.h"
#include "hresult.h"

namespace kelvort::standin {

// Whether an Item argument is a position (a number) rather than a name (a text). Any
// other kind of value is refused.
bool IsPosition(const Variant& key, std::string_view type_name);

// The item at the 1-based position, or null when there is none.
template <typename T>
std::shared_ptr<T> ItemAt(const std::vector<std::shared_ptr<T>>& items, const Variant& position) {
  const double value = position.ToDouble();
  if (value < 1 || value > static_cast<double>(items.size())) return nullptr;
  return items[static_cast<size_t>(position.ToLong()) - 1];
}

// The item at the position or of the name; the host fails ("The method Item failed") for a position
// out of range or a name it does not know.
template <typename T, typename FindByName>
std::shared_ptr<T> ItemByKey(const std::vector<std::shared_ptr<T>>& items, const Variant& key,
                             FindByName find_by_name, std::string_view type_name) {
  // Nothing with a destructor is alive when the failure is raised: a name that Item does
  // not know is the host's common answer, and no cleanup should prolong its unwinding.
  if (std::shared_ptr<T> found =
          IsPosition(key, type_name) ? ItemAt(items, key) : find_by_name(key.ToText())) {
    return found;
  }
  MethodFailed("Item", type_name);
}

}  // namespace kelvort::standin
