// The stand-in server's client: one connection, its proxies and the synchronous round trip.
#include "platform/posix/remote_dispatch.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/host_call_wait.h"
#include "platform/posix/local_socket.h"
#include "util/run_error.h"

namespace kelvort {

using protocol::Handle;
using protocol::hresults::kCallFailed;

namespace {
constexpr size_t kInitialBuffer = size_t{64} * 1024;
// Releases wait for the next call, to travel in its write; this many bytes go at once.
constexpr size_t kMaxQueuedReleases = size_t{64} * 1024;
}  // namespace

// One connection to the server: the socket, one proxy for each handle the server handed
// out, and the releases that wait for the next call.
class Connection final : public std::enable_shared_from_this<Connection>,
                         private protocol::HandleMap {
 public:
  explicit Connection(const std::string& folder)
      : fd_(ConnectToRegistration(folder)), input_(kInitialBuffer) {}

  DispatchPtr Hello() {
    protocol::WriteHello(output_);
    return RoundTrip().ToObject();
  }

  Variant Invoke(Handle object, InvokeKind kind, std::string_view member,
                 std::span<const Variant> args) {
    CheckOpen();
    try {
      protocol::WriteInvoke(output_, object, kind, member, args, *this);
    } catch (const protocol::ProtocolError& error) {
      protocol::RaiseTransportError(protocol::hresults::kClientCannotMarshal, error.what());
    }
    return RoundTrip();
  }

  std::string TypeName(Handle object) {
    CheckOpen();
    protocol::WriteTypeName(output_, object);
    return RoundTrip().ToText();
  }

  void Quit() {
    CheckOpen();
    protocol::WriteQuit(output_);
    RoundTrip();
  }

  // Called by a proxy that goes away.
  void Release(Handle object) {
    proxies_.erase(object);
    if (broken_) return;
    protocol::WriteRelease(output_, object);
    if (output_.size() < kMaxQueuedReleases) return;
    if (!SendAll(fd_.get(), output_)) Break();
    output_.clear();
  }

 private:
  void CheckOpen() const {
    if (abandoned_) throw *abandoned_;
    if (broken_) protocol::RaiseTransportError(protocol::hresults::kServerUnavailable);
  }

  // Waits until the reply's next bytes can be read. A call given up leaves its reply to come
  // in the middle of the stream: the connection is of no further use.
  void AwaitReply(HostCallWait& wait) {
    pollfd readable{fd_.get(), POLLIN, 0};
    const int timeout = static_cast<int>(HostCallWait::kLookInterval.count());
    int ready;
    // A stop signal interrupts the poll, so the wait looks at it at once.
    while ((ready = ::poll(&readable, 1, timeout)) <= 0) {
      if (ready < 0 && errno != EINTR) Fail(kCallFailed, std::strerror(errno));
      if (wait.MustAbandon()) {
        abandoned_ = AbandonedCallError();
        Break();
        throw *abandoned_;
      }
    }
  }

  void Break() {
    broken_ = true;
    fd_.Close();
    output_.clear();
  }

  [[noreturn]] void Fail(int32_t hresult, std::string_view detail) {
    Break();
    protocol::RaiseTransportError(hresult, detail);
  }

  // Sends the queued releases and the request in one write and reads the reply.
  Variant RoundTrip() {
    if (!SendAll(fd_.get(), output_)) Fail(kCallFailed, "The CATIA stand-in has hung up.");
    output_.clear();
    size_t received = 0;
    std::optional<size_t> size;
    HostCallWait wait;
    try {
      while (!(size = protocol::CompleteFrameSize(std::span(input_.data(), received)))) {
        AwaitReply(wait);
        if (received == input_.size()) {
          input_.resize(
              std::min(input_.size() * 2, protocol::kHeaderSize + protocol::kMaxFrameSize));
        }
        const ssize_t got =
            ::recv(fd_.get(), input_.data() + received, input_.size() - received, 0);
        if (got == 0) Fail(kCallFailed, "The CATIA stand-in has ended.");
        if (got < 0 && errno != EINTR) Fail(kCallFailed, std::strerror(errno));
        if (got > 0) received += static_cast<size_t>(got);
      }
      if (received != *size) throw protocol::ProtocolError("bytes beyond the reply");
      return protocol::ReadReply(protocol::Payload(std::span(input_.data(), *size)), *this);
    } catch (const protocol::ProtocolError& error) {
      Fail(protocol::hresults::kInvalidData, error.what());
    }
  }

  Handle ToHandle(const DispatchPtr& object) override {
    const auto* remote = dynamic_cast<const RemoteDispatch*>(object.get());
    if (remote == nullptr || remote->connection() != this) {
      protocol::RaiseTransportError(protocol::hresults::kClientCannotMarshal,
                                    "Only the host's own objects can be passed to it.");
    }
    return remote->handle();
  }

  DispatchPtr ToObject(Handle handle) override {
    std::weak_ptr<RemoteDispatch>& slot = proxies_[handle];
    if (auto known = slot.lock()) return known;
    auto proxy = std::make_shared<RemoteDispatch>(shared_from_this(), handle);
    slot = proxy;
    return proxy;
  }

  FileDescriptor fd_;
  bool broken_ = false;
  // Set when a call was given up at the user's stop: every later call fails with it.
  std::optional<RunError> abandoned_;
  // Queued releases, then the request being sent.
  std::vector<uint8_t> output_;
  std::vector<uint8_t> input_;
  std::unordered_map<Handle, std::weak_ptr<RemoteDispatch>> proxies_;
};

RemoteDispatch::RemoteDispatch(std::shared_ptr<Connection> connection, Handle handle)
    : connection_(std::move(connection)), handle_(handle) {}

RemoteDispatch::~RemoteDispatch() {
  connection_->Release(handle_);
}

std::string RemoteDispatch::TypeName() {
  return connection_->TypeName(handle_);
}

Variant RemoteDispatch::Invoke(InvokeKind kind, std::string_view member,
                               std::span<const Variant> args) {
  return connection_->Invoke(handle_, kind, member, args);
}

DispatchPtr ConnectToStandIn(const std::string& folder) {
  return std::make_shared<Connection>(folder)->Hello();
}

void QuitStandIn(const std::string& folder) {
  std::make_shared<Connection>(folder)->Quit();
}

}  // namespace kelvort
