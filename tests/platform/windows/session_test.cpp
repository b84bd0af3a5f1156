// Session detection on Windows: the WMI moniker and query, and the attach by programmatic
// identifier, with no CNEXT.exe running and with one (this test program, copied to that
// name and started idle).
#include "app/session.h"

#include <gtest/gtest.h>

#include "host/dispatch.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
#include "platform/windows/windows_test_support.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::TempFolder;
using testing::WindowsTestPlatform;

// This test program started as CNEXT.exe from a folder of its own; ended with the object.
class IdleCatiaProcess {
 public:
  explicit IdleCatiaProcess(const std::string& folder) {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring copy = Widen(folder) + L"\\CNEXT.exe";
    if (length == 0 || !::CopyFileW(self, copy.c_str(), TRUE)) return;
    std::wstring command_line = L"\"" + copy + L"\" --idle";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (::CreateProcessW(copy.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &process_)) {
      ::CloseHandle(process_.hThread);
    }
  }
  ~IdleCatiaProcess() {
    if (process_.hProcess == nullptr) return;
    ::TerminateProcess(process_.hProcess, 0);
    ::WaitForSingleObject(process_.hProcess, 10000);
    ::CloseHandle(process_.hProcess);
  }
  bool started() const { return process_.hProcess != nullptr; }

 private:
  PROCESS_INFORMATION process_{};
};

TEST(WindowsSessionTest, WmiCountsTheCatiaProcessesAndTheAttachNeedsARegisteredServer) {
  WindowsTestPlatform test;
  RunState state(test.platform);
  ASSERT_EQ(Check4RunningCATIA(state), SessionCheck::kNone) << "no CNEXT.exe runs before the test";
  EXPECT_FALSE(state.CatiaApp);

  TempFolder dir;
  {
    IdleCatiaProcess catia(dir.path());
    ASSERT_TRUE(catia.started());
    // One process of this session, but no server registered as CATIA.Application: no
    // attach, no log entry.
    EXPECT_EQ(Check4RunningCATIA(state), SessionCheck::kNotChecked);
    EXPECT_FALSE(state.CatiaApp);
    EXPECT_FALSE(state.ErrorOccurred);
  }
  EXPECT_EQ(Check4RunningCATIA(state), SessionCheck::kNone);
  EXPECT_THROW(test.com.GetObject("winmgmts:\\\\.\\root\\kelvort-no-such-namespace"), RunError);
  try {
    test.com.GetActiveObject("CATIA.Application");
    ADD_FAILURE() << "attached to a server that is not there";
  } catch (const RunError& error) {
    EXPECT_EQ(error.number(), errors::kCannotCreateObject);
  }
}

}  // namespace
}  // namespace kelvort
