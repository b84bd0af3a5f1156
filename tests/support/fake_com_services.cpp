// A COM-services fake that hands out the objects a test registered.
#include "support/fake_com_services.h"

#include "util/run_error.h"
#include "util/text.h"

namespace kelvort::testing {
namespace {

DispatchPtr Make(const std::map<std::string, FakeComServices::Factory>& registry,
                 std::string_view name) {
  const auto found = registry.find(ToLower(name));
  if (found == registry.end()) Raise(errors::kCannotCreateObject);
  return found->second();
}

FakeComServices::Factory Always(DispatchPtr object) {
  return [object] { return object; };
}

}  // namespace

void FakeComServices::RegisterObject(const std::string& moniker, DispatchPtr object) {
  RegisterObject(moniker, Always(std::move(object)));
}

void FakeComServices::RegisterObject(const std::string& moniker, Factory factory) {
  objects_[ToLower(moniker)] = std::move(factory);
}

void FakeComServices::RegisterActiveObject(const std::string& prog_id, DispatchPtr object) {
  RegisterActiveObject(prog_id, Always(std::move(object)));
}

void FakeComServices::RegisterActiveObject(const std::string& prog_id, Factory factory) {
  active_objects_[ToLower(prog_id)] = std::move(factory);
}

DispatchPtr FakeComServices::GetObject(std::string_view moniker) {
  requests.emplace_back(moniker);
  return Make(objects_, moniker);
}

DispatchPtr FakeComServices::GetActiveObject(std::string_view prog_id) {
  requests.emplace_back(prog_id);
  return Make(active_objects_, prog_id);
}

}  // namespace kelvort::testing
