// A one-thread server of framed requests on the stand-in's registration: several clients,
// each with its own handler, none of which can stall or stop the others.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/posix/local_socket.h"

namespace kelvort {

// Serves one client's requests. Malformed requests are the handler's to answer.
class FrameHandler {
 public:
  enum class Outcome { kContinue, kQuit };
  virtual ~FrameHandler() = default;
  // Handles one request payload; appends the reply frame, if the request has one, to reply.
  // An exception drops the client.
  virtual Outcome Respond(std::span<const uint8_t> request, std::vector<uint8_t>& reply) = 0;
};

class FrameServer {
 public:
  using HandlerFactory = std::function<std::unique_ptr<FrameHandler>()>;
  // Registers in the folder (see Registration).
  explicit FrameServer(const std::string& folder);
  ~FrameServer();
  FrameServer(const FrameServer&) = delete;
  FrameServer& operator=(const FrameServer&) = delete;

  // Serves until stop_fd becomes readable (a negative one never does) or a handler answers
  // kQuit, then drops every client and unregisters. Each client that connects gets a handler
  // of its own; a client that breaks the framing, connects as another user or hangs up is
  // dropped with its handler.
  void Run(int stop_fd, const HandlerFactory& new_handler);

  const std::string& socket_path() const { return registration_.socket_path(); }

 private:
  struct Client;
  void Accept(const HandlerFactory& new_handler);
  // Each answers false when the client is to be dropped; Serve sets quit_.
  bool Receive(Client& client);
  bool Serve(Client& client);
  bool Flush(Client& client);

  Registration registration_;
  std::vector<std::unique_ptr<Client>> clients_;
  bool quit_ = false;
};

}  // namespace kelvort
