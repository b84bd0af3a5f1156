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

// The item at the position or of the name; the host fails ("Method 'Item' of object ...
// failed") for a position out of range or a name it does not know.
template <typename T, typename FindByName>
std::shared_ptr<T> ItemByKey(const std::vector<std::shared_ptr<T>>& items, const Variant& key,
                             FindByName find_by_name, std::string_view type_name) {
  std::shared_ptr<T> found;
  if (IsPosition(key, type_name)) {
    const double position = key.ToDouble();
    if (position >= 1 && position <= static_cast<double>(items.size())) {
      found = items[static_cast<size_t>(key.ToLong()) - 1];
    }
  } else {
    found = find_by_name(key.ToText());
  }
  if (!found) MethodFailed("Item", type_name);
  return found;
}

}  // namespace kelvort::standin
