// The run's own process on Windows: one run a user session (a named mutex), the console's
// control events and the progress window's Stop caught, and whether standard error is a
// console.
#include <io.h>

#include <atomic>
#include <cstdio>

#include "platform/platform.h"
#include "platform/windows/stop_request.h"
#include "platform/windows/win32.h"

namespace kelvort {
namespace {

std::atomic<bool> g_stop_requested{false};
std::atomic<bool> g_run_ended{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
  RequestStop();
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // The process ends when this handler returns: give the run the few seconds Windows
    // grants to finish the node in hand, update the document and write its report.
    for (int waited = 0; waited < 45 && !g_run_ended; ++waited) ::Sleep(100);
  }
  return TRUE;
}

// The mutex lives in the user's session (Local\): another user's run never blocks this one.
class NamedMutex final : public SingleRunLock {
 public:
  explicit NamedMutex(HANDLE handle) : handle_(handle) {}
  ~NamedMutex() override {
    if (handle_ != nullptr) ::CloseHandle(handle_);
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<SingleRunLock> ClaimSingleRun() {
  HANDLE handle = ::CreateMutexW(nullptr, FALSE, L"Local\\Kelvort.SingleRun");
  if (handle != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<NamedMutex>(handle);
}

void CatchStopRequests() {
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void RequestStop() {
  g_stop_requested = true;
}

bool StopRequested() {
  return g_stop_requested;
}

void RunEnded() {
  g_run_ended = true;
}

bool StandardErrorIsTerminal() {
  return ::_isatty(::_fileno(stderr)) != 0;
}

}  // namespace kelvort
