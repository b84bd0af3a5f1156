// SIGTERM and SIGINT as a readable file descriptor: a self-pipe written by the handler.
#include "stop_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace kelvort::standin {
namespace {

volatile sig_atomic_t g_write_fd = -1;

void OnStopSignal(int) {
  const int saved = errno;
  const char byte = 's';
  if (g_write_fd >= 0) [[maybe_unused]]
    const auto ignored = write(g_write_fd, &byte, 1);
  errno = saved;
}

void Install(int signal_number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  if (sigaction(signal_number, &action, nullptr) != 0) {
    throw std::runtime_error(std::string("cannot install a signal handler: ") +
                             std::strerror(errno));
  }
}

}  // namespace

StopSignals::StopSignals() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
  }
  read_fd_ = fds[0];
  write_fd_ = fds[1];
  g_write_fd = write_fd_;
  Install(SIGPIPE, SIG_IGN);
  Install(SIGTERM, OnStopSignal);
  Install(SIGINT, OnStopSignal);
  // A stand-in started with the signals blocked (so that none is lost before this point)
  // receives them from here on.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
}

StopSignals::~StopSignals() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  g_write_fd = -1;
  close(read_fd_);
  close(write_fd_);
}

void StopSignals::Request() const {
  OnStopSignal(0);
}

void StopSignals::Wait() const {
  pollfd readable{read_fd_, POLLIN, 0};
  while (poll(&readable, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace kelvort::standin
