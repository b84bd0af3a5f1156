// The stand-in's automation server: registers as the running "CATIA.Application" and serves
// the program's member calls on the stand-in's objects over the per-user local socket.
#pragma once

#include <memory>
#include <string>

#include "host/variant.h"

namespace kelvort {
class FrameServer;
}

namespace kelvort::standin {

class Server {
 public:
  // Registers in the user's runtime folder ($XDG_RUNTIME_DIR, else /tmp/runtime-<uid>),
  // creating it (mode 0700) when it is missing. Raises a RunError with a clear message when
  // another live stand-in holds the registration or the folder is not this user's alone.
  // A registration left behind by a stand-in that is gone is taken over.
  explicit Server(DispatchPtr application);
  // The same in a given folder.
  Server(DispatchPtr application, const std::string& folder);
  // Unregisters: the socket is removed (if Run has not done so) and the registration freed.
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Serves every client that connects until stop_fd becomes readable (a signal handler's
  // pipe, say) or a client sends a quit request. A misbehaving client is answered with an
  // error or dropped; it never stops the server. On return every client has been
  // disconnected and the socket removed; the registration stays held until destruction, so
  // no other stand-in starts while this one writes its documents back.
  void Run(int stop_fd);

  // The path of the registered socket.
  const std::string& socket_path() const;

 private:
  DispatchPtr application_;
  std::unique_ptr<FrameServer> frames_;
};

}  // namespace kelvort::standin
