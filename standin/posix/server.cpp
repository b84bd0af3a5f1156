// The stand-in's automation server: each client's handle table and the serving of its calls.
#include "server.h"

#include <new>
#include <unordered_map>
#include <vector>

#include "host/dispatch.h"
#include "platform/posix/automation_protocol.h"
#include "platform/posix/frame_server.h"
#include "util/run_error.h"

namespace kelvort::standin {
namespace {

using protocol::Handle;
using protocol::MessageType;

// Most objects one client may hold at once.
constexpr size_t kMaxHandles = 1u << 20;

// One client: the objects it holds, by handle, and the serving of its requests. An object
// that goes out twice keeps its handle, so the client sees one object as one.
class Session final : public FrameHandler, private protocol::HandleMap {
 public:
  explicit Session(DispatchPtr application) : application_(std::move(application)) {}

  Outcome Respond(std::span<const uint8_t> request, std::vector<uint8_t>& reply) override {
    Outcome outcome = Outcome::kContinue;
    Answer(reply, [&] {
      const protocol::Request call = protocol::ReadRequest(request, *this, args_);
      switch (call.type) {
        case MessageType::kHello:
          Reply(reply, Variant(application_));
          break;
        case MessageType::kInvoke: {
          Variant result = Find(call.object)->Invoke(call.kind, call.member, args_);
          args_.clear();
          Reply(reply, result);
          break;
        }
        case MessageType::kTypeName:
          Reply(reply, Variant(Find(call.object)->TypeName()));
          break;
        case MessageType::kRelease:
          Release(call.object);
          break;
        case MessageType::kQuit:
          Reply(reply, Variant());
          outcome = Outcome::kQuit;
          break;
        default:
          break;
      }
    });
    args_.clear();
    return outcome;
  }

 private:
  // Runs a step of serving; any failure becomes the error reply.
  template <typename Step>
  static void Answer(std::vector<uint8_t>& reply, Step&& step) {
    try {
      step();
    } catch (const RunError& error) {
      protocol::WriteError(reply, error.number(), error.description());
    } catch (const protocol::ProtocolError& error) {
      WriteTransportError(reply, protocol::hresults::kInvalidData, error.what());
    } catch (const std::bad_alloc&) {
      WriteTransportError(reply, protocol::hresults::kOutOfMemory, {});
    } catch (const std::exception& error) {
      WriteTransportError(reply, protocol::hresults::kUnexpected, error.what());
    } catch (...) {
      WriteTransportError(reply, protocol::hresults::kUnexpected, {});
    }
  }

  static void WriteTransportError(std::vector<uint8_t>& reply, int32_t hresult,
                                  std::string_view detail) {
    protocol::WriteError(reply, hresult, protocol::TransportErrorText(hresult, detail));
  }

  // Writes the value reply. A value that cannot travel (too large, nested too deeply) is
  // answered with an error, and the handles it would have handed out are taken back.
  void Reply(std::vector<uint8_t>& reply, const Variant& value) {
    added_.clear();
    try {
      protocol::WriteValue(reply, value, *this);
    } catch (const protocol::ProtocolError& error) {
      for (Handle handle : added_) Release(handle);
      protocol::RaiseTransportError(protocol::hresults::kCannotMarshal, error.what());
    } catch (...) {
      for (Handle handle : added_) Release(handle);
      throw;
    }
  }

  const DispatchPtr& Find(Handle handle) {
    const auto found = objects_.find(handle);
    if (found == objects_.end()) {
      protocol::RaiseTransportError(protocol::hresults::kDisconnected,
                                    "Unknown object handle " + std::to_string(handle) + ".");
    }
    return found->second;
  }

  void Release(Handle handle) {
    const auto found = objects_.find(handle);
    if (found == objects_.end()) return;
    handles_.erase(found->second.get());
    objects_.erase(found);
  }

  Handle ToHandle(const DispatchPtr& object) override {
    const auto known = handles_.find(object.get());
    if (known != handles_.end()) return known->second;
    if (objects_.size() >= kMaxHandles) {
      protocol::RaiseTransportError(protocol::hresults::kOutOfMemory,
                                    "The client holds too many objects.");
    }
    const Handle handle = ++last_handle_;
    objects_.emplace(handle, object);
    handles_.emplace(object.get(), handle);
    added_.push_back(handle);
    return handle;
  }

  DispatchPtr ToObject(Handle handle) override { return Find(handle); }

  DispatchPtr application_;
  std::unordered_map<Handle, DispatchPtr> objects_;
  std::unordered_map<const Dispatch*, Handle> handles_;
  Handle last_handle_ = 0;
  std::vector<Handle> added_;
  std::vector<Variant> args_;
};

}  // namespace

Server::Server(DispatchPtr application)
    : Server(std::move(application), DefaultRegistrationFolder()) {}

Server::Server(DispatchPtr application, const std::string& folder)
    : application_(std::move(application)), frames_(std::make_unique<FrameServer>(folder)) {}

Server::~Server() = default;

void Server::Run(int stop_fd) {
  frames_->Run(stop_fd, [this] { return std::make_unique<Session>(application_); });
}

const std::string& Server::socket_path() const {
  return frames_->socket_path();
}

}  // namespace kelvort::standin
