// The index of a collection's items by name: a hashed look-up by any text, with no copy
// of the key. (The library's own string hash makes small tables, up to twenty entries,
// compare the key with every entry in turn: a parameter collection holds about that many,
// and over a large structure each look-up then walked twenty scattered entries.)
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kelvort::standin {

struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const noexcept {
    return std::hash<std::string_view>{}(name);
  }
};

// The positions of a collection's items by name.
using NameIndex = std::unordered_map<std::string, size_t, NameHash, std::equal_to<>>;

}  // namespace kelvort::standin
