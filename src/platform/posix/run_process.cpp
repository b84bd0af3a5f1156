// The run's own process on POSIX: one run a user (a lock file in the runtime folder), the
// stop signals caught, no progress window, and whether standard error is a terminal.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"
#include "platform/posix/file_descriptor.h"
#include "platform/posix/local_socket.h"

namespace kelvort {
namespace {

volatile sig_atomic_t g_stop_requested = 0;

void OnStopSignal(int) {
  g_stop_requested = 1;
}

// The lock dies with its process, so a run that crashed never blocks the next one.
class LockFile final : public SingleRunLock {
 public:
  explicit LockFile(int fd) : fd_(fd) {}

 private:
  FileDescriptor fd_;
};

}  // namespace

std::unique_ptr<SingleRunLock> ClaimSingleRun() {
  const std::string folder = DefaultRegistrationFolder();
  ::mkdir(folder.c_str(), 0700);
  const int fd =
      ::open((folder + "/kelvort.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  auto lock = std::make_unique<LockFile>(fd);
  if (fd < 0) return lock;
  int result;
  while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result != 0 && errno == EWOULDBLOCK) return nullptr;
  return lock;
}

void CatchStopRequests() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // Calls into the stand-in resume after the signal: the node in hand is finished. A call
  // that waits for its answer is woken and decides (platform/host_call_wait.h).
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  // A run started with the signals blocked receives them from here on.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  ::sigprocmask(SIG_UNBLOCK, &stop, nullptr);
}

bool StopRequested() {
  return g_stop_requested != 0;
}

void RunEnded() {}

// The run's progress goes to CATIA's status bar and the terminal: no window of its own.
std::unique_ptr<ProgressWindow> OpenProgressWindow(std::string_view) {
  return nullptr;
}

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace kelvort
