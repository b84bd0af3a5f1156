// The members every collection of the stand-in has: Name, Parent, Count and Item (by
// 1-based position or by name).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "host_object.h"
#include "item_key.h"

namespace kelvort::standin {

// A collection's table: the common members and its own. Self has Name(), owner() (its
// Parent), items() and Find(name).
template <typename Self>
MemberTable<Self> CollectionTable(std::initializer_list<typename MemberTable<Self>::Member> own) {
  std::vector<typename MemberTable<Self>::Member> members{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.owner()); }},
      {"Count", 0, 0,
       [](Self& self, Args) -> Variant { return static_cast<int32_t>(self.items().size()); }},
      {"Item", 1, 1,
       [](Self& self, Args args) {
         return Object(ItemByKey(
             self.items(), args[0], [&](const std::string& key) { return self.Find(key); },
             self.Type()));
       }},
  };
  members.insert(members.end(), own.begin(), own.end());
  return MemberTable<Self>(std::move(members));
}

}  // namespace kelvort::standin
