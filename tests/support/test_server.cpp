// Stand-in servers for tests.
#include "support/test_server.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "util/run_error.h"

namespace kelvort::testing {

ServerThread::ServerThread(DispatchPtr root, const std::string& folder)
    : server_(std::move(root), folder) {
  if (::pipe(stop_) != 0) throw std::runtime_error("pipe");
  thread_ = std::thread([this] { server_.Run(stop_[0]); });
}

ServerThread::~ServerThread() {
  if (thread_.joinable()) {
    const char stop = 's';
    (void)!::write(stop_[1], &stop, 1);
    thread_.join();
  }
  ::close(stop_[0]);
  ::close(stop_[1]);
}

void ServerThread::Join() {
  thread_.join();
}

ServerProcess::ServerProcess(const std::function<DispatchPtr()>& make_root,
                             const std::string& folder) {
  int ready[2];
  if (::pipe(ready) != 0) throw std::runtime_error("pipe");
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(2);
    ::close(ready[0]);
    int status = 0;
    try {
      standin::Server server(make_root(), folder);
      (void)!::write(ready[1], "r", 1);
      ::close(ready[1]);
      server.Run(-1);
    } catch (...) {
      status = 1;
    }
    ::_exit(status);
  }
  ::close(ready[1]);
  char byte;
  (void)!::read(ready[0], &byte, 1);  // a byte once registered, end of file otherwise
  ::close(ready[0]);
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    Wait();
  }
}

int ServerProcess::Wait() {
  int status = 0;
  if (::waitpid(pid_, &status, 0) != pid_) return -1;
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace kelvort::testing
