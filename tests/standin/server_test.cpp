// The stand-in server and the program's client of it: calls and values both ways, host
// failures, objects that keep their identity, a server that goes away, a malformed reply.
#include "posix/server.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "platform/posix/automation_protocol.h"
#include "platform/posix/frame_server.h"
#include "platform/posix/remote_dispatch.h"
#include "support/failure_of.h"
#include "support/fake_dispatch.h"
#include "support/temp_dir.h"
#include "support/test_server.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using protocol::hresults::kCallFailed;
using testing::FakeDispatch;
using testing::RaisedNumber;
using testing::ServerProcess;
using testing::ServerThread;
using testing::TempDir;
namespace hresults = protocol::hresults;

// The root of the test server: a few members of every shape a host object has.
DispatchPtr TestRoot() {
  const auto documents = std::make_shared<FakeDispatch>("Documents");
  documents->Returns("Count", Variant(int32_t{2}));
  const auto root = std::make_shared<FakeDispatch>("Application");
  root->Returns("Name", "CATIA V5").Returns("Documents", Variant(documents));
  root->On(InvokeKind::kMethod, "Echo", [](std::span<const Variant> args) {
    return Variant(Variant::Array(args.begin(), args.end()));
  });
  root->On(InvokeKind::kMethod, "Fail", [](std::span<const Variant>) -> Variant {
    Raise(errors::kHostFailure, "The method Item failed");
  });
  root->On(InvokeKind::kMethod, "Exit", [](std::span<const Variant>) -> Variant { ::_exit(0); });
  return root;
}

std::string RunFolder(const TempDir& dir, const std::string& name = "run") {
  return (dir.path() / name).string();
}

TEST(StandInServerTest, CallsValuesFailuresAndObjectsTravelBothWays) {
  TempDir dir;
  ServerThread server(TestRoot(), RunFolder(dir));
  DispatchPtr app = ConnectToStandIn(RunFolder(dir));

  DispatchPtr documents = app->Get("Documents").ToObject();
  EXPECT_EQ(app->Get("Documents").ToObject(), documents);  // one object, one proxy
  const Variant::Array all = {
      Variant(),     Variant::Nothing(), Variant(true),     Variant(int16_t{-3}),
      Variant(0.25), Variant("Länge"),   Variant(documents)};
  EXPECT_EQ(app->Call("Echo", {all[0], all[1], all[2], all[3], all[4], all[5], all[6]}),
            Variant(all));
  const RunError failure = testing::FailureOf([&] { app->Call("Fail"); });
  EXPECT_EQ(failure.number(), errors::kHostFailure);
  EXPECT_EQ(failure.description(), "The method Item failed");
  // Only the host's own objects can be passed to it; the connection goes on.
  EXPECT_EQ(RaisedNumber([&] { app->Call("Echo", {Variant(std::make_shared<FakeDispatch>())}); }),
            hresults::kClientCannotMarshal);
  EXPECT_EQ(documents->Get("Count"), Variant(int32_t{2}));
}

// A server that goes away by a quit request (it unregisters), by ending during a call, or
// killed between two calls: the next call fails at once, it does not wait.
TEST(StandInServerTest, AServerThatGoesAwayFailsTheNextCallAtOnce) {
  TempDir dir;
  ServerThread quitting(TestRoot(), RunFolder(dir, "quit"));
  DispatchPtr app = ConnectToStandIn(RunFolder(dir, "quit"));
  QuitStandIn(RunFolder(dir, "quit"));
  quitting.Join();
  EXPECT_FALSE(std::filesystem::exists(quitting.socket_path()));
  EXPECT_EQ(RaisedNumber([&] { app->Get("Name"); }), kCallFailed);
  EXPECT_EQ(RaisedNumber([&] { app->Get("Name"); }), hresults::kServerUnavailable);
  EXPECT_EQ(RaisedNumber([&] { ConnectToStandIn(RunFolder(dir, "quit")); }),
            errors::kCannotCreateObject);

  ServerProcess ending(TestRoot, RunFolder(dir, "exit"));
  app = ConnectToStandIn(RunFolder(dir, "exit"));
  const RunError ended = testing::FailureOf([&] { app->Call("Exit"); });
  EXPECT_EQ(ended.number(), kCallFailed);
  EXPECT_NE(ended.description().find("The CATIA stand-in has ended."), std::string::npos);
  EXPECT_EQ(ending.Wait(), 0);

  ServerProcess killed(TestRoot, RunFolder(dir, "kill"));
  app = ConnectToStandIn(RunFolder(dir, "kill"));
  ::kill(killed.pid(), SIGKILL);
  EXPECT_EQ(killed.Wait(), 128 + SIGKILL);
  EXPECT_EQ(RaisedNumber([&] { app->Get("Name"); }), kCallFailed);
}

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

TEST(StandInServerTest, AReplyWithBytesBeyondItsFrameIsRefused) {
  const TempDir dir;
  const std::string folder = RunFolder(dir);
  FrameServer server(folder);
  int stop[2];
  ASSERT_EQ(::pipe(stop), 0);
  std::thread serving(
      [&] { server.Run(stop[0], [] { return std::make_unique<TrailingByteHandler>(); }); });
  const RunError error = testing::FailureOf([&] { ConnectToStandIn(folder); });
  EXPECT_EQ(error.number(), hresults::kInvalidData);
  EXPECT_NE(error.description().find("bytes beyond the reply"), std::string::npos);
  EXPECT_EQ(::write(stop[1], "x", 1), 1);
  serving.join();
  ::close(stop[0]);
  ::close(stop[1]);
}

}  // namespace
}  // namespace kelvort
