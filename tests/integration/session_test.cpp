// Session detection against real processes: CNEXT.exe stand-ins that serve, that only run,
// and copies of other programs under CATIA's executable name. Each test counts the CATIA
// processes in a process table of its own where the system allows one.
#include "app/session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host/dispatch.h"
#include "platform/posix/wmi_service.h"
#include "support/catia_session.h"

namespace kelvort {
namespace {

using testing::CatiaSession;
using testing::InPrivateProcessTable;
using testing::RunProcess;
namespace fs = std::filesystem;

int32_t CatiaProcesses() {
  return BindWmiMoniker(kWmiMoniker)
      ->Call("ExecQuery", {Variant(std::string(kCatiaProcessQuery))})
      .ToObject()
      ->Get("Count")
      .ToLong();
}

TEST(SessionProcessTest, NoCatiaMeansResultTwoAndNoAttach) {
  InPrivateProcessTable([] {
    CatiaSession session;
    session.StartNamed("CNEXT.exe.bak");
    session.StartNamed("CNEXT");
    EXPECT_EQ(Check4RunningCATIA(session.state), 2);
    EXPECT_EQ(session.state.CatiaApp, nullptr);
    EXPECT_EQ(session.com.requests, std::vector<std::string>{std::string(kWmiMoniker)});
    EXPECT_EQ(session.state.FailureCount, 0);
  });
}

TEST(SessionProcessTest, OneServingCatiaIsAttachedWithFileAlertsOff) {
  InPrivateProcessTable([] {
    CatiaSession session;
    session.StartCatia({"--no-document"});
    EXPECT_EQ(Check4RunningCATIA(session.state), 1);
    ASSERT_NE(session.state.CatiaApp, nullptr);
    EXPECT_EQ(session.state.CatiaApp->TypeName(), "Application");
    EXPECT_EQ(session.state.CatiaApp->Get("DisplayFileAlerts"), Variant(false));
    EXPECT_EQ(session.state.FailureCount, 0);
  });
}

TEST(SessionProcessTest, ACatiaThatDoesNotServeGivesZeroWithoutAReport) {
  InPrivateProcessTable([] {
    CatiaSession session;
    session.StartCatia({"--idle"});
    EXPECT_EQ(Check4RunningCATIA(session.state), 0);
    EXPECT_EQ(session.state.CatiaApp, nullptr);
    EXPECT_EQ(session.com.requests.back(), "CATIA.Application");  // the attach was tried
    EXPECT_EQ(session.state.FailureCount, 0);
    EXPECT_FALSE(session.state.ErrorOccurred);
    EXPECT_TRUE(session.test.message_boxes.boxes.empty());
    EXPECT_FALSE(fs::exists(session.log_file()));
  });
}

TEST(SessionProcessTest, TwoCatiasGiveThreeAndTheServingOneIsAttached) {
  InPrivateProcessTable([] {
    CatiaSession session;
    session.StartCatia({"--no-document"});
    // A second stand-in cannot register beside the first, says why and ends with an error.
    const auto second =
        RunProcess(testing::BuiltProgram("CNEXT.exe"), {"--no-document"}, session.Env());
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.err,
              "CNEXT.exe: Another CATIA stand-in is already running as CATIA.Application for this "
              "user (" +
                  (session.run_folder() / "CATIA.Application").string() + ").\n");

    session.StartCatia({"--idle"});
    EXPECT_EQ(Check4RunningCATIA(session.state), 3);
    ASSERT_NE(session.state.CatiaApp, nullptr);
    EXPECT_EQ(session.state.CatiaApp->Get("DisplayFileAlerts"), Variant(false));
    EXPECT_EQ(session.state.FailureCount, 0);
  });
}

TEST(SessionProcessTest, AnEarlierErrorMeansNoLookAtAll) {
  InPrivateProcessTable([] {
    CatiaSession session;
    session.StartCatia({"--no-document"});
    session.state.ErrorOccurred = true;
    EXPECT_EQ(Check4RunningCATIA(session.state), 0);
    EXPECT_TRUE(session.com.requests.empty());
    EXPECT_EQ(session.state.CatiaApp, nullptr);
  });
}

TEST(ProcessCountTest, EveryProcessOfTheExecutableCountsWhateverItsLetterCase) {
  InPrivateProcessTable([] {
    CatiaSession session;
    const int32_t before = CatiaProcesses();
    session.StartNamed("CNEXT.exe");
    session.StartNamed("cnext.EXE");
    session.StartNamed("CNEXT.exe.old");
    session.StartNamed("XCNEXT.exe");
    EXPECT_EQ(CatiaProcesses(), before + 2);
    session.StartCatia({"--idle"});
    EXPECT_EQ(CatiaProcesses(), before + 3);
  });
}

// On a shared machine only the caller's own CATIA counts: another user's is no session of
// this one, and the attach would never reach it.
TEST(ProcessCountTest, AnotherUsersCatiaIsNotCounted) {
  InPrivateProcessTable([] {
    CatiaSession session;
    const int32_t before = CatiaProcesses();
    session.StartNamed("CNEXT.exe", 65534);  // nobody
    EXPECT_EQ(CatiaProcesses(), before);
    session.StartCatia({"--no-document"});
    EXPECT_EQ(CatiaProcesses(), before + 1);
    EXPECT_EQ(Check4RunningCATIA(session.state), before == 0 ? 1 : 3);
  });
}

}  // namespace
}  // namespace kelvort
