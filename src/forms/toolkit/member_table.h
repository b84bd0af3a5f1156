// The members of a control reached by name at run time: properties (plain or indexed) and
// methods, looked up without regard to letter case as the form toolkit's callers expect.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/dispatch.h"

namespace kelvort {

class MemberTable {
 public:
  using Arguments = std::span<const Variant>;
  using Getter = std::function<Variant(Arguments)>;
  using Setter = std::function<void(Arguments, const Variant&)>;
  using Method = std::function<Variant(Arguments)>;

  // A property without arguments; without a setter it is read-only.
  void AddProperty(std::string name, std::function<Variant()> get,
                   std::function<void(const Variant&)> put = {});
  // A property that takes arguments, such as List(i).
  void AddIndexedProperty(std::string name, Getter get, Setter put = {});
  void AddMethod(std::string name, Method call);

  // Property get and method call fall back on each other, as late binding allows. An
  // unknown member raises 438, a put on a read-only property 383, a plain property given
  // arguments 450.
  Variant Invoke(InvokeKind kind, std::string_view name, Arguments args) const;

 private:
  struct Member {
    std::string name{};
    bool indexed = false;
    Getter get{};
    Setter put{};
    Method call{};
  };
  Member& Add(std::string name);
  const Member* Find(std::string_view name) const;

  std::vector<Member> members_;
};

}  // namespace kelvort
