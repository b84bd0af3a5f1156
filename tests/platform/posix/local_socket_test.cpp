// The stand-in's registration: a private folder, one live stand-in, a gone one replaced.
#include "platform/posix/local_socket.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
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

TEST(LocalSocketTest, TheFolderIsCreatedPrivateAndOnlyAPrivateOneIsUsed) {
  TempDir dir;
  const fs::path folder = dir.path() / "runtime";
  {
    Registration registration(folder.string());
    EXPECT_EQ(fs::symlink_status(folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(registration.socket_path(), (folder / "CATIA.Application").string());
    EXPECT_TRUE(fs::is_socket(registration.socket_path()));
  }
  EXPECT_FALSE(fs::exists(folder / "CATIA.Application"));

  // Open to others, another user's: neither the server nor the client goes there.
  const auto refused = [&](const std::string& why) {
    const RunError error = FailureOf([&] { Registration registration(folder.string()); });
    EXPECT_EQ(error.number(), errors::kPermissionDenied);
    EXPECT_THAT(error.description(),
                ::testing::AllOf(::testing::HasSubstr(folder.string()), ::testing::HasSubstr(why)));
    EXPECT_EQ(FailureOf([&] { ConnectToStandIn(folder.string()); }).number(),
              errors::kPermissionDenied);
  };
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  refused("0750");
  fs::permissions(folder, fs::perms::owner_all);
  ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
  refused("belongs to user 65534");

  // No folder: no stand-in runs.
  EXPECT_EQ(FailureOf([&] { ConnectToStandIn((dir.path() / "none").string()); }).number(),
            errors::kCannotCreateObject);
}

// One live stand-in holds the registration; a gone one is replaced.
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

}  // namespace
}  // namespace kelvort
