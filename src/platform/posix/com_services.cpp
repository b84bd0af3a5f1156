// The automation objects of the POSIX platform; until the socket client is in, none can be
// reached.
#include "platform/posix/com_services.h"

#include "log/run_error.h"

namespace kelvort {
namespace {

class UnreachableComServices : public ComServices {
 public:
  DispatchPtr GetObject(std::string_view) override { Raise(errors::kCannotCreateObject); }
  DispatchPtr GetActiveObject(std::string_view) override { Raise(errors::kCannotCreateObject); }
};

}  // namespace

std::unique_ptr<ComServices> CreatePosixComServices() {
  return std::make_unique<UnreachableComServices>();
}

}  // namespace kelvort
