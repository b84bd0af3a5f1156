// Session detection against real processes: CNEXT.exe stand-ins that serve, that only run,
// and copies of other programs under CATIA's executable name. Each test counts the CATIA
// processes in a process table of its own, and is skipped where the system allows none.
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
namespace fs = std::filesystem;

int32_t CatiaProcesses() {
  return BindWmiMoniker(kWmiMoniker)
      ->Call("ExecQuery", {Variant(std::string(kCatiaProcessQuery))})
      .ToObject()
      ->Get("Count")
      .ToLong();
}

// What Check4RunningCATIA answers for the processes that run: a serving stand-in is
// attached with its display refresh off, one that does not serve gives 0 without a report, and
// after an earlier error nothing is attached.
TEST(SessionProcessTest, TheCountDecidesAndAServingCatiaIsAttached) {
  const struct {
    std::vector<std::vector<std::string>> catias;
    bool earlier_error;
    SessionCheck result;
    bool attached;
  } cases[] = {
      {{}, false, SessionCheck::kNone, false},
      {{{"--no-document"}}, false, SessionCheck::kOne, true},
      {{{"--idle"}}, false, SessionCheck::kNotChecked, false},
      {{{"--no-document"}, {"--idle"}}, false, SessionCheck::kSeveral, true},
      {{{"--no-document"}}, true, SessionCheck::kNotChecked, false},
  };
  for (const auto& [catias, earlier_error, result, attached] : cases) {
    SCOPED_TRACE(catias.size());
    InPrivateProcessTable([&] {
      CatiaSession session;
      session.StartNamed("CNEXT.exe.bak");
      for (const auto& args : catias) session.StartCatia(args);
      session.state.ErrorOccurred = earlier_error;
      EXPECT_EQ(Check4RunningCATIA(session.state), result);
      ASSERT_EQ(session.state.CatiaApp != nullptr, attached);
      if (attached) {
        // The display off for the run, its old value kept for the end; file alerts untouched.
        EXPECT_EQ(session.state.CatiaApp->Get("RefreshDisplay"), Variant(false));
        EXPECT_EQ(session.state.CatiaApp->Get("DisplayFileAlerts"), Variant(true));
        RestoreRefreshDisplay(session.state);
        EXPECT_EQ(session.state.CatiaApp->Get("RefreshDisplay"), Variant(true));
      }
      EXPECT_EQ(session.state.FailureCount, 0);
      EXPECT_FALSE(fs::exists(session.log_file()));
    });
  }
}

// Every process of the executable counts, whatever its letter case, but only the caller's
// own: WMI lists another user's CATIA too, and the attach would never reach it.
TEST(ProcessCountTest, EveryOwnProcessOfTheExecutableCountsWhateverItsLetterCase) {
  InPrivateProcessTable([] {
    CatiaSession session;
    session.StartNamed("CNEXT.exe", 65534);  // nobody
    EXPECT_EQ(CatiaProcesses(), 1);
    EXPECT_EQ(Check4RunningCATIA(session.state), SessionCheck::kNone);
    session.StartCatia({"--no-document"});
    EXPECT_EQ(Check4RunningCATIA(session.state), SessionCheck::kOne);
    session.StartNamed("CNEXT.exe");
    session.StartNamed("cnext.EXE");
    session.StartNamed("CNEXT.exe.old");
    session.StartNamed("XCNEXT.exe");
    EXPECT_EQ(CatiaProcesses(), 4);
  });
}

}  // namespace
}  // namespace kelvort
