// The members of one kind of stand-in object, found by name without regard to letter
// case, as COM finds them.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/dispatch.h"
#include "hresult.h"

namespace kelvort::standin {

using Args = std::span<const Variant>;

// Hash and equality of member names that ignore ASCII letter case.
struct CaseBlindHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const;
};
struct CaseBlindEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

template <typename Self>
class MemberTable {
 public:
  // A property read or a method call; both come the same way, as the host accepts a
  // read of a method and a call of a property alike.
  using Read = Variant (*)(Self&, Args);
  // A property write with the new value.
  using Write = void (*)(Self&, const Variant&);

  struct Member {
    std::string_view name;
    size_t min_args = 0;
    size_t max_args = 0;
    Read read = nullptr;
    Write write = nullptr;
  };

  MemberTable(std::initializer_list<Member> members) : MemberTable(std::vector<Member>(members)) {}
  explicit MemberTable(std::vector<Member> members) : members_(std::move(members)) {
    for (size_t i = 0; i < members_.size(); ++i) index_.emplace(members_[i].name, i);
  }

  bool Has(std::string_view name) const { return index_.contains(name); }

  Variant Serve(Self& self, InvokeKind kind, std::string_view name, Args args) const {
    const auto found = index_.find(name);
    if (found == index_.end()) MemberNotSupported();
    const Member& member = members_[found->second];
    if (kind == InvokeKind::kPropertyPut) {
      if (!member.write) MemberNotSupported();
      if (args.size() != 1) WrongArgumentCount();
      member.write(self, args.front());
      return {};
    }
    if (!member.read) MemberNotSupported();
    if (args.size() < member.min_args || args.size() > member.max_args) WrongArgumentCount();
    return member.read(self, args);
  }

 private:
  std::vector<Member> members_;
  std::unordered_map<std::string_view, size_t, CaseBlindHash, CaseBlindEqual> index_;
};

}  // namespace kelvort::standin
