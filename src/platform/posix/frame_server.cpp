// The poll loop of the stand-in's server: non-blocking clients, one reply written at once.
#include "platform/posix/frame_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/posix/automation_protocol.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

constexpr size_t kInitialBuffer = size_t{64} * 1024;
constexpr size_t kLargestFrame = protocol::kHeaderSize + protocol::kMaxFrameSize;
constexpr size_t kMaxClients = 64;

bool FromThisUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

// Gives a buffer that one large frame has grown back to the system.
void ShrinkIfLarge(std::vector<uint8_t>& buffer, size_t size) {
  if (buffer.capacity() > 4 * kInitialBuffer) {
    buffer.resize(size);
    buffer.shrink_to_fit();
  }
}

}  // namespace

struct FrameServer::Client {
  explicit Client(int socket) : fd(socket) {}

  FileDescriptor fd;
  std::unique_ptr<FrameHandler> handler;
  // Received bytes not yet served are input[begin, end).
  std::vector<uint8_t> input = std::vector<uint8_t>(kInitialBuffer);
  size_t begin = 0;
  size_t end = 0;
  // A reply that the socket has not yet taken whole is output[sent, size).
  std::vector<uint8_t> output;
  size_t sent = 0;

  bool Pending() const { return sent < output.size(); }
};

FrameServer::FrameServer(const std::string& folder) : registration_(folder) {}

FrameServer::~FrameServer() = default;

void FrameServer::Run(int stop_fd, const HandlerFactory& new_handler) {
  quit_ = false;
  std::vector<pollfd> polls;
  while (!quit_) {
    polls.clear();
    polls.push_back({stop_fd, POLLIN, 0});
    polls.push_back({registration_.listen_fd(), POLLIN, 0});
    for (const auto& client : clients_) {
      // A client whose reply is still on its way is not read: it cannot pile up replies.
      polls.push_back(
          {client->fd.get(), static_cast<short>(client->Pending() ? POLLOUT : POLLIN), 0});
    }
    if (::poll(polls.data(), polls.size(), -1) < 0) {
      if (errno == EINTR) continue;
      Raise(errors::kPathFileAccessError, std::string("poll: ") + std::strerror(errno));
    }
    if (polls[0].revents != 0) break;

    for (size_t i = 0; i + 2 < polls.size() && !quit_; ++i) {
      if (polls[i + 2].revents == 0) continue;
      Client& client = *clients_[i];
      const bool keep = (client.Pending() ? Flush(client) : Receive(client)) && Serve(client);
      if (!keep) clients_[i].reset();
    }
    std::erase(clients_, nullptr);
    if (!quit_ && polls[1].revents != 0) Accept(new_handler);
  }
  // Every client learns at once that the server is gone.
  clients_.clear();
  registration_.Unregister();
}

void FrameServer::Accept(const HandlerFactory& new_handler) {
  while (true) {
    const int socket =
        ::accept4(registration_.listen_fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (socket < 0) {
      if (errno == EINTR) continue;
      return;
    }
    auto client = std::make_unique<Client>(socket);
    if (!FromThisUser(socket) || clients_.size() >= kMaxClients) continue;
    client->handler = new_handler();
    clients_.push_back(std::move(client));
  }
}

bool FrameServer::Receive(Client& client) {
  if (client.end == client.input.size()) {
    std::memmove(client.input.data(), client.input.data() + client.begin,
                 client.end - client.begin);
    client.end -= client.begin;
    client.begin = 0;
    if (client.end == client.input.size()) {
      client.input.resize(std::min(client.input.size() * 2, kLargestFrame));
    }
  }
  while (true) {
    const ssize_t received = ::recv(client.fd.get(), client.input.data() + client.end,
                                    client.input.size() - client.end, 0);
    if (received > 0) {
      client.end += static_cast<size_t>(received);
      return true;
    }
    if (received < 0 && errno == EINTR) continue;
    // End of file: the client hung up, perhaps in the middle of a request.
    return received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
}

bool FrameServer::Serve(Client& client) {
  while (!client.Pending()) {
    const std::span<const uint8_t> buffered(client.input.data() + client.begin,
                                            client.end - client.begin);
    std::optional<size_t> size;
    FrameHandler::Outcome outcome;
    try {
      size = protocol::CompleteFrameSize(buffered);
      if (!size) break;
      outcome = client.handler->Respond(protocol::Payload(buffered.first(*size)), client.output);
    } catch (...) {
      return false;
    }
    client.begin += *size;
    const bool flushed = Flush(client);
    if (outcome == FrameHandler::Outcome::kQuit) {
      quit_ = true;
      return true;
    }
    if (!flushed) return false;
  }
  if (client.begin == client.end) {
    client.begin = client.end = 0;
    ShrinkIfLarge(client.input, kInitialBuffer);
  }
  return true;
}

bool FrameServer::Flush(Client& client) {
  while (client.Pending()) {
    const ssize_t sent = ::send(client.fd.get(), client.output.data() + client.sent,
                                client.output.size() - client.sent, MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      return errno == EAGAIN || errno == EWOULDBLOCK;
    }
    client.sent += static_cast<size_t>(sent);
  }
  client.output.clear();
  client.sent = 0;
  ShrinkIfLarge(client.output, 0);
  return true;
}

}  // namespace kelvort
