// A host-object fake whose members answer what the test tells them, for code that calls
// host members by name.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "host/dispatch.h"

namespace kelvort::testing {

class FakeDispatch : public Dispatch {
 public:
  using Handler = std::function<Variant(std::span<const Variant> args)>;

  explicit FakeDispatch(std::string type_name = "Object") : type_name_(std::move(type_name)) {}

  // The member answers every call of that kind through handler (names ignore case).
  FakeDispatch& On(InvokeKind kind, const std::string& member, Handler handler);
  // The member answers value as a property and as a method.
  FakeDispatch& Returns(const std::string& member, Variant value);

  std::string TypeName() override { return type_name_; }
  // An unknown member raises 438, as the host does.
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override;

  // Each call as the member's name and its arguments, in order.
  std::vector<std::pair<std::string, std::vector<Variant>>> calls;

 private:
  std::string type_name_;
  std::map<std::pair<InvokeKind, std::string>, Handler> handlers_;
};

// A host collection of count items, every one the same object. Records each position asked
// for and refuses one outside 1 to count, as the host does.
std::shared_ptr<FakeDispatch> FakeCollection(int32_t count, const DispatchPtr& item,
                                             std::vector<int32_t>& asked);

}  // namespace kelvort::testing
