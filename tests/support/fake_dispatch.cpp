// A host-object fake whose members answer what the test tells them.
#include "support/fake_dispatch.h"

#include "util/run_error.h"
#include "util/text.h"

namespace kelvort::testing {

FakeDispatch& FakeDispatch::On(InvokeKind kind, const std::string& member, Handler handler) {
  handlers_[{kind, ToLower(member)}] = std::move(handler);
  return *this;
}

FakeDispatch& FakeDispatch::Returns(const std::string& member, Variant value) {
  const Handler answer = [value](std::span<const Variant>) { return value; };
  On(InvokeKind::kPropertyGet, member, answer);
  return On(InvokeKind::kMethod, member, answer);
}

Variant FakeDispatch::Invoke(InvokeKind kind, std::string_view member,
                             std::span<const Variant> args) {
  calls.emplace_back(std::string(member), std::vector<Variant>(args.begin(), args.end()));
  const auto found = handlers_.find({kind, ToLower(member)});
  if (found == handlers_.end()) Raise(errors::kMemberNotSupported);
  return found->second(args);
}

}  // namespace kelvort::testing
