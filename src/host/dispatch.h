// The late-bound host object: members called by name at run time, as COM IDispatch offers.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace kelvort {

enum class InvokeKind { kPropertyGet, kPropertyPut, kMethod };

// A host object reached by late binding. Every failure, the host's own included, arrives
// as a RunError (a host failure carries its negative HRESULT and text).
class Dispatch : public std::enable_shared_from_this<Dispatch> {
 public:
  virtual ~Dispatch() = default;

  // The object's type name ("ProductDocument", "Parameters", ...).
  virtual std::string TypeName() = 0;
  // Calls a member by name with positional arguments. A property put passes the new
  // value as the last argument.
  virtual Variant Invoke(InvokeKind kind, std::string_view member,
                         std::span<const Variant> args) = 0;

  Variant Get(std::string_view member, std::initializer_list<Variant> args = {}) {
    return Invoke(InvokeKind::kPropertyGet, member, std::span(args.begin(), args.size()));
  }
  void Put(std::string_view member, const Variant& value) {
    Invoke(InvokeKind::kPropertyPut, member, std::span(&value, 1));
  }
  Variant Call(std::string_view member, std::initializer_list<Variant> args = {}) {
    return Invoke(InvokeKind::kMethod, member, std::span(args.begin(), args.size()));
  }
};

}  // namespace kelvort
