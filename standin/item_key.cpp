// The argument of a collection's Item.
#include "item_key.h"

namespace kelvort::standin {

bool IsPosition(const Variant& key, std::string_view type_name) {
  switch (key.kind()) {
    case Variant::Kind::kInteger:
    case Variant::Kind::kLong:
    case Variant::Kind::kDouble:
      return true;
    case Variant::Kind::kText:
      return false;
    default:
      MethodFailed("Item", type_name);
  }
}

}  // namespace kelvort::standin
