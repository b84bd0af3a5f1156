// A COM-services fake that hands out the objects a test registered per moniker or
// programmatic identifier.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kelvort::testing {

class FakeComServices : public ComServices {
 public:
  // Makes the object at each request; it may raise a RunError to fail the request.
  using Factory = std::function<DispatchPtr()>;

  void RegisterObject(const std::string& moniker, DispatchPtr object);
  void RegisterObject(const std::string& moniker, Factory factory);
  void RegisterActiveObject(const std::string& prog_id, DispatchPtr object);
  void RegisterActiveObject(const std::string& prog_id, Factory factory);

  // Names are matched ignoring case; an unregistered one raises 429, as a server that does
  // not run does.
  DispatchPtr GetObject(std::string_view moniker) override;
  DispatchPtr GetActiveObject(std::string_view prog_id) override;

  // Every moniker and programmatic identifier asked for, in order.
  std::vector<std::string> requests;

 private:
  std::map<std::string, Factory> objects_;
  std::map<std::string, Factory> active_objects_;
};

}  // namespace kelvort::testing
