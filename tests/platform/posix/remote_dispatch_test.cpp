// The client's reading of replies: a reply must be exactly one frame.
#include "platform/posix/remote_dispatch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "platform/posix/automation_protocol.h"
#include "platform/posix/frame_server.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

// Answers every request with the application object's handle and one byte more.
class TrailingByteHandler : public FrameHandler {
 public:
  Outcome Respond(std::span<const uint8_t>, std::vector<uint8_t>& reply) override {
    protocol::FrameWriter frame(reply, protocol::MessageType::kValue);
    frame.U8(8);  // an object
    frame.U64(1);
    frame.Finish();
    reply.push_back(0);
    return Outcome::kContinue;
  }
};

TEST(RemoteDispatchTest, AReplyWithBytesBeyondItsFrameIsRefused) {
  const testing::TempDir dir;
  const std::string folder = (dir.path() / "run").string();
  FrameServer server(folder);
  int stop[2];
  ASSERT_EQ(::pipe(stop), 0);
  std::thread serving(
      [&] { server.Run(stop[0], [] { return std::make_unique<TrailingByteHandler>(); }); });
  const RunError error = testing::FailureOf([&] { ConnectToStandIn(folder); });
  EXPECT_EQ(error.number(), protocol::hresults::kInvalidData);
  EXPECT_NE(error.description().find("bytes beyond the reply"), std::string::npos);
  EXPECT_EQ(::write(stop[1], "x", 1), 1);
  serving.join();
  ::close(stop[0]);
  ::close(stop[1]);
}

}  // namespace
}  // namespace kelvort
