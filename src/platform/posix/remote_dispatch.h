// The client of the stand-in server: host objects that live in the stand-in's process,
// called through the per-user local socket.
#pragma once

#include <memory>
#include <string>

#include "host/dispatch.h"
#include "platform/posix/automation_protocol.h"

namespace kelvort {

class Connection;

// A stand-in object seen from the program. Its calls are synchronous round trips; a host
// failure arrives as the host's RunError, a server that is gone as one at once (never a
// hang). A server that does not answer is waited for as platform/host_call_wait.h says. Dropping
// the last proxy of an object releases it in the server. Like the host's own objects, the proxies
// of one connection belong to one thread.
class RemoteDispatch final : public Dispatch {
 public:
  RemoteDispatch(std::shared_ptr<Connection> connection, protocol::Handle handle);
  ~RemoteDispatch() override;
  RemoteDispatch(const RemoteDispatch&) = delete;
  RemoteDispatch& operator=(const RemoteDispatch&) = delete;

  std::string TypeName() override;
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override;

  const Connection* connection() const { return connection_.get(); }
  protocol::Handle handle() const { return handle_; }

 private:
  std::shared_ptr<Connection> connection_;
  protocol::Handle handle_;
};

// The application object of the stand-in registered in the folder. Raises run-time error
// 429 when none serves there, 70 when the folder is not this user's alone.
DispatchPtr ConnectToStandIn(const std::string& folder);

// Asks the stand-in registered in the folder to end, and waits for its answer.
void QuitStandIn(const std::string& folder);

}  // namespace kelvort
