// Fuzzes the stand-in server's frame parser: the input is what a client sends, read frame
// by frame as the server reads requests, and each frame also as a reply.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/posix/automation_protocol.h"
#include "support/fake_dispatch.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

// Handles 1 to 3 name objects; any other is unknown, as a server's table answers.
class SmallHandleMap final : public protocol::HandleMap {
 public:
  protocol::Handle ToHandle(const DispatchPtr&) override { return 1; }
  DispatchPtr ToObject(protocol::Handle handle) override {
    if (handle < 1 || handle > 3) Raise(errors::kObjectVariableNotSet);
    return object_;
  }

 private:
  DispatchPtr object_ = std::make_shared<testing::FakeDispatch>();
};

}  // namespace
}  // namespace kelvort

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelvort;
  SmallHandleMap handles;
  std::vector<Variant> args;
  std::span<const uint8_t> rest(data, size);
  try {
    while (const auto frame_size = protocol::CompleteFrameSize(rest)) {
      const auto frame = rest.first(*frame_size);
      rest = rest.subspan(*frame_size);
      try {
        protocol::ReadRequest(protocol::Payload(frame), handles, args);
      } catch (const protocol::ProtocolError&) {
      } catch (const RunError&) {
      }
      try {
        protocol::ReadReply(protocol::Payload(frame), handles);
      } catch (const protocol::ProtocolError&) {
      } catch (const RunError&) {
      }
    }
  } catch (const protocol::ProtocolError&) {
    // A length over the limit ends the connection.
  }
  return 0;
}
