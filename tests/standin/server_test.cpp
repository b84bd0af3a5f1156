#include "posix/server.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/posix/automation_protocol.h"
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
struct TestRoot {
  std::shared_ptr<FakeDispatch> root = std::make_shared<FakeDispatch>("Application");
  std::shared_ptr<FakeDispatch> documents = std::make_shared<FakeDispatch>("Documents");
  std::weak_ptr<Dispatch> last_fresh;

  TestRoot() {
    documents->Returns("Count", Variant(int32_t{2}));
    root->Returns("Name", "CATIA V5");
    root->Returns("Documents", Variant(documents));
    root->On(InvokeKind::kMethod, "Echo", [](std::span<const Variant> args) {
      return Variant(Variant::Array(args.begin(), args.end()));
    });
    root->On(InvokeKind::kMethod, "IsDocuments", [this](std::span<const Variant> args) {
      return Variant(!args.empty() && args[0].ToObject() == documents);
    });
    root->On(InvokeKind::kPropertyPut, "DisplayFileAlerts",
             [](std::span<const Variant>) { return Variant(); });
    root->On(InvokeKind::kMethod, "Fail", [](std::span<const Variant>) -> Variant {
      Raise(errors::kHostFailure, "Method 'Item' of object 'Parameters' failed");
    });
    root->On(InvokeKind::kMethod, "Fresh", [this](std::span<const Variant>) {
      auto fresh = std::make_shared<FakeDispatch>("Parameter");
      last_fresh = fresh;
      return Variant(fresh);
    });
    root->On(InvokeKind::kMethod, "Huge", [this](std::span<const Variant>) {
      auto fresh = std::make_shared<FakeDispatch>("Parameter");
      last_fresh = fresh;
      return Variant(Variant::Array{Variant(fresh), Variant(std::string(17 << 20, 'x'))});
    });
    root->On(InvokeKind::kMethod, "Exit", [](std::span<const Variant>) -> Variant { ::_exit(0); });
  }
};

std::string RunFolder(const TempDir& dir) {
  return (dir.path() / "run").string();
}

// A client that speaks raw bytes, as a faulty or hostile one would.
class RawClient {
 public:
  explicit RawClient(const std::string& socket_path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socket_path.c_str());
    EXPECT_EQ(::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  ~RawClient() { ::close(fd_); }

  void Send(const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
  }
  void SendPayload(std::vector<uint8_t> payload) {
    std::vector<uint8_t> frame(4);
    const auto size = static_cast<uint32_t>(payload.size());
    std::memcpy(frame.data(), &size, 4);
    frame.insert(frame.end(), payload.begin(), payload.end());
    Send(frame);
  }
  // The next reply's value, or the number of the error it carries; 0 at end of file.
  int32_t ReplyError() {
    std::vector<uint8_t> buffer;
    std::optional<size_t> size;
    while (!(size = protocol::CompleteFrameSize(buffer))) {
      uint8_t chunk[4096];
      const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
      if (got <= 0) return 0;
      buffer.insert(buffer.end(), chunk, chunk + got);
    }
    protocol::FrameReader reader(protocol::Payload(std::span(buffer).first(*size)));
    if (reader.Type() != protocol::MessageType::kError) return 1;
    return static_cast<int32_t>(reader.U32());
  }
  bool ClosedByServer() {
    uint8_t byte;
    return ::recv(fd_, &byte, 1, 0) == 0;
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

std::vector<uint8_t> Hello() {
  std::vector<uint8_t> frame;
  protocol::WriteHello(frame);
  return frame;
}

TEST(StandInServerTest, CallsReachTheRootAndComeBackWithEveryKindOfValue) {
  TempDir dir;
  TestRoot test;
  ServerThread server(test.root, RunFolder(dir));
  DispatchPtr app = ConnectToStandIn(RunFolder(dir));

  EXPECT_EQ(app->TypeName(), "Application");
  EXPECT_EQ(app->Get("Name"), Variant("CATIA V5"));
  const Variant::Array all = {Variant(),
                              Variant::Nothing(),
                              Variant(true),
                              Variant(int16_t{-3}),
                              Variant(int32_t{70000}),
                              Variant(0.25),
                              Variant("Länge"),
                              Variant(Variant::Array{Variant("a"), Variant(1.5)})};
  EXPECT_EQ(app->Call("Echo", {all[0], all[1], all[2], all[3], all[4], all[5], all[6], all[7]}),
            Variant(all));
  app->Put("DisplayFileAlerts", false);
  EXPECT_EQ(test.root->calls.back().first, "DisplayFileAlerts");
  EXPECT_EQ(test.root->calls.back().second, std::vector<Variant>{Variant(false)});

  // The host's failures come back as they were raised, and the connection goes on.
  try {
    app->Call("Fail");
    FAIL() << "no error";
  } catch (const RunError& error) {
    EXPECT_EQ(error.number(), errors::kHostFailure);
    EXPECT_EQ(error.description(), "Method 'Item' of object 'Parameters' failed");
  }
  EXPECT_EQ(RaisedNumber([&] { app->Get("NoSuchMember"); }), errors::kMemberNotSupported);
  // Too large to send, or to answer: an error, and the connection goes on.
  EXPECT_EQ(RaisedNumber([&] { app->Call("Echo", {Variant(std::string(17 << 20, 'x'))}); }),
            hresults::kClientCannotMarshal);
  EXPECT_EQ(RaisedNumber([&] { app->Call("Huge"); }), hresults::kCannotMarshal);
  EXPECT_TRUE(test.last_fresh.expired());  // the handle the reply would have carried is freed
  EXPECT_EQ(app->Get("Name"), Variant("CATIA V5"));
}

TEST(StandInServerTest, FaultyClientsAreAnsweredOrDroppedAndOthersServedOn) {
  TempDir dir;
  TestRoot test;
  ServerThread server(test.root, RunFolder(dir));
  DispatchPtr app = ConnectToStandIn(RunFolder(dir));

  RawClient raw(server.socket_path());
  raw.SendPayload({0x02, 0xFF});  // a call cut short
  EXPECT_EQ(raw.ReplyError(), hresults::kInvalidData);
  raw.SendPayload({0x42});  // no such request
  EXPECT_EQ(raw.ReplyError(), hresults::kInvalidData);
  raw.SendPayload({0x03, 1, 0, 0, 0, 0, 0, 0, 0});  // a handle this client was never given
  EXPECT_EQ(raw.ReplyError(), hresults::kDisconnected);
  raw.SendPayload({0x04, 9, 0, 0, 0, 0, 0, 0, 0});  // releasing one is ignored, unanswered
  raw.Send(Hello());
  EXPECT_EQ(raw.ReplyError(), 1);  // the root, as a value
  EXPECT_EQ(app->Get("Name"), Variant("CATIA V5"));

  RawClient oversized(server.socket_path());
  oversized.Send({0xFF, 0xFF, 0xFF, 0xFF, 0x02});
  EXPECT_TRUE(oversized.ClosedByServer());
  {
    RawClient gone_mid_request(server.socket_path());
    gone_mid_request.Send({100, 0, 0, 0, 0x02, 1, 0});
  }
  {
    RawClient gone_before_the_answer(server.socket_path());
    gone_before_the_answer.Send(Hello());
  }
  {
    // Calls with large answers and not one answer read: the others are still served.
    RawClient flooding(server.socket_path());
    flooding.Send(Hello());
    std::vector<uint8_t> flood;
    const Variant text(std::string(60000, 'f'));
    for (int i = 0; i < 100; ++i) {
      protocol::FrameWriter frame(flood, protocol::MessageType::kInvoke);
      frame.U64(1);
      frame.U8(static_cast<uint8_t>(InvokeKind::kMethod));
      frame.Text("Echo");
      frame.U32(1);
      frame.U8(6);
      frame.Text(text.ToText());
      frame.Finish();
    }
    ::send(flooding.fd(), flood.data(), flood.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    EXPECT_EQ(app->Get("Name"), Variant("CATIA V5"));
  }
  EXPECT_EQ(app->Get("Documents").ToObject()->Get("Count"), Variant(int32_t{2}));
}

TEST(StandInServerTest, AQuitRequestEndsServingAndTheServerUnregisters) {
  TempDir dir;
  TestRoot test;
  {
    ServerThread server(test.root, RunFolder(dir));
    const std::string socket_path = server.socket_path();
    DispatchPtr app = ConnectToStandIn(RunFolder(dir));
    QuitStandIn(RunFolder(dir));
    server.Join();
    EXPECT_FALSE(std::filesystem::exists(socket_path));
    // The server is gone: a call fails at once, and so does every one after it.
    EXPECT_EQ(RaisedNumber([&] { app->Get("Name"); }), kCallFailed);
    EXPECT_EQ(RaisedNumber([&] { app->Get("Name"); }), hresults::kServerUnavailable);
    EXPECT_EQ(RaisedNumber([&] { ConnectToStandIn(RunFolder(dir)); }), errors::kCannotCreateObject);
  }
}

TEST(StandInServerTest, AServerThatEndsDuringACallGivesAnErrorAtOnce) {
  TempDir dir;
  ServerProcess server([] { return (new TestRoot)->root; }, RunFolder(dir));
  DispatchPtr app = ConnectToStandIn(RunFolder(dir));
  DispatchPtr documents = app->Get("Documents").ToObject();
  try {
    app->Call("Exit");
    FAIL() << "no error";
  } catch (const RunError& error) {
    EXPECT_EQ(error.number(), kCallFailed);
    EXPECT_NE(error.description().find("The CATIA stand-in has ended."), std::string::npos);
  }
  EXPECT_EQ(server.Wait(), 0);
  EXPECT_EQ(RaisedNumber([&] { documents->Get("Count"); }), hresults::kServerUnavailable);

  // Killed between two calls: the next call fails, it does not wait.
  TempDir other;
  ServerProcess killed([] { return (new TestRoot)->root; }, RunFolder(other));
  DispatchPtr second = ConnectToStandIn(RunFolder(other));
  ::kill(killed.pid(), SIGKILL);
  EXPECT_EQ(killed.Wait(), 128 + SIGKILL);
  EXPECT_EQ(RaisedNumber([&] { second->Get("Name"); }), kCallFailed);
}

}  // namespace
}  // namespace kelvort
