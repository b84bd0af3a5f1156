// COM services on Linux.
#include "platform/posix/com_services.h"

#include "platform/posix/local_socket.h"
#include "platform/posix/remote_dispatch.h"
#include "platform/posix/wmi_service.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

class PosixComServices final : public ComServices {
 public:
  DispatchPtr GetObject(std::string_view moniker) override { return BindWmiMoniker(moniker); }

  // The stand-in CATIA registered in this user's runtime folder; no other server exists here.
  DispatchPtr GetActiveObject(std::string_view prog_id) override {
    if (!EqualsIgnoreCase(prog_id, kRegistrationName)) Raise(errors::kCannotCreateObject);
    return ConnectToStandIn(DefaultRegistrationFolder());
  }
};

}  // namespace

std::unique_ptr<ComServices> CreatePosixComServices() {
  return std::make_unique<PosixComServices>();
}

}  // namespace kelvort
