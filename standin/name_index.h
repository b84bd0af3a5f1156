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

// The name a new item takes: the name asked for, or, when an item holds it, the name with
// the first free ".N" suffix (Length.1, Length.2, ...). CATIA does not refuse a second
// object of a name that exists; it disambiguates.
inline std::string FreeName(const NameIndex& index, std::string name) {
  if (!index.contains(name)) return name;
  for (size_t n = 1;; ++n) {
    std::string candidate = name + "." + std::to_string(n);
    if (!index.contains(candidate)) return candidate;
  }
}

}  // namespace kelvort::standin
