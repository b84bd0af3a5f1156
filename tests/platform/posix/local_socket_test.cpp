#include "platform/posix/local_socket.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include "platform/posix/remote_dispatch.h"
#include "support/failure_of.h"
#include "support/fake_dispatch.h"
#include "support/temp_dir.h"
#include "support/test_server.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::FailureOf;
using testing::FakeDispatch;
using testing::ServerProcess;
using testing::ServerThread;
using testing::TempDir;
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

DispatchPtr Root() {
  auto root = std::make_shared<FakeDispatch>("Application");
  root->Returns("Name", "CATIA V5");
  return root;
}

// Whether a process of another user can connect to the socket and is answered: the exit
// status of a child that tries as user nobody (0 answered, 1 refused, 2 dropped).
int ConnectAsNobody(const std::string& socket_path) {
  std::vector<uint8_t> hello;  // made before the fork: the child only makes system calls
  protocol::WriteHello(hello);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socket_path.c_str());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ::_exit(1);
    ::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL);
    uint8_t reply[64];
    ::_exit(::recv(fd, reply, sizeof reply, 0) > 0 ? 0 : 2);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LocalSocketTest, TheFolderIsCreatedPrivateAndOnlyAPrivateOneIsUsed) {
  TempDir dir;
  const fs::path folder = dir.path() / "runtime";
  {
    Registration registration(folder.string());
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    EXPECT_EQ(registration.socket_path(), (folder / "CATIA.Application").string());
    EXPECT_TRUE(fs::is_socket(registration.socket_path()));
  }
  EXPECT_FALSE(fs::exists(folder / "CATIA.Application"));

  // Open to others: neither the server nor the client goes there.
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  RunError refused = FailureOf([&] { Registration registration(folder.string()); });
  EXPECT_EQ(refused.number(), errors::kPermissionDenied);
  EXPECT_NE(refused.description().find(folder.string()), std::string::npos);
  EXPECT_NE(refused.description().find("0750"), std::string::npos);
  EXPECT_EQ(FailureOf([&] { ConnectToStandIn(folder.string()); }).number(),
            errors::kPermissionDenied);

  // Another user's folder, and a link in place of the folder.
  fs::permissions(folder, fs::perms::owner_all);
  ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
  refused = FailureOf([&] { Registration registration(folder.string()); });
  EXPECT_EQ(refused.number(), errors::kPermissionDenied);
  EXPECT_NE(refused.description().find("belongs to user 65534"), std::string::npos);
  EXPECT_EQ(FailureOf([&] { ConnectToStandIn(folder.string()); }).number(),
            errors::kPermissionDenied);
  const fs::path own = dir.path() / "own";
  fs::create_directory(own);
  fs::permissions(own, fs::perms::owner_all);
  fs::create_directory_symlink(own, dir.path() / "link");
  EXPECT_EQ(FailureOf([&] { Registration registration((dir.path() / "link").string()); }).number(),
            errors::kPermissionDenied);

  // No folder, or nothing in it: no stand-in runs.
  EXPECT_EQ(FailureOf([&] { ConnectToStandIn((dir.path() / "none").string()); }).number(),
            errors::kCannotCreateObject);
  EXPECT_EQ(FailureOf([&] { ConnectToStandIn(own.string()); }).number(),
            errors::kCannotCreateObject);
  const std::string too_long = (dir.path() / std::string(120, 'x')).string();
  EXPECT_EQ(FailureOf([&] { Registration registration(too_long); }).number(), errors::kBadFileName);
}

TEST(LocalSocketTest, OneLiveStandInHoldsTheRegistrationAndAGoneOneIsReplaced) {
  TempDir dir;
  const std::string folder = (dir.path() / "runtime").string();
  {
    ServerThread first(Root(), folder);
    const RunError second = FailureOf([&] { ServerThread again(Root(), folder); });
    EXPECT_EQ(second.number(), errors::kFileAlreadyExists);
    EXPECT_EQ(second.description(),
              "Another CATIA stand-in is already running as CATIA.Application for this user (" +
                  first.socket_path() + ").");
    EXPECT_EQ(ConnectToStandIn(folder)->Get("Name"), Variant("CATIA V5"));
  }

  // A stand-in killed outright leaves its socket behind: nobody answers there, and the next
  // stand-in takes its place.
  {
    ServerProcess killed(Root, folder);
    ::kill(killed.pid(), SIGKILL);
    killed.Wait();
  }
  EXPECT_TRUE(fs::is_socket(folder + "/CATIA.Application"));
  EXPECT_EQ(FailureOf([&] { ConnectToStandIn(folder); }).number(), errors::kCannotCreateObject);
  ServerThread next(Root(), folder);
  EXPECT_EQ(ConnectToStandIn(folder)->Get("Name"), Variant("CATIA V5"));
}

TEST(LocalSocketTest, AnotherUserCannotReachTheStandIn) {
  TempDir dir;
  const fs::path folder = dir.path() / "runtime";
  ServerThread server(Root(), folder.string());
  EXPECT_EQ(ConnectAsNobody(server.socket_path()), 1);

  // Even with the folder and the socket opened to everyone, the server drops the stranger.
  fs::permissions(folder, fs::perms::owner_all | fs::perms::others_exec);
  fs::permissions(server.socket_path(), fs::perms::all);
  EXPECT_EQ(ConnectAsNobody(server.socket_path()), 2);
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(ConnectToStandIn(folder.string())->Get("Name"), Variant("CATIA V5"));
}

}  // namespace
}  // namespace kelvort
