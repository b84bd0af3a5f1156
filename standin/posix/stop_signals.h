// SIGTERM and SIGINT turned into a file descriptor that becomes readable when one arrives,
// so that a serving loop can wait for them with its other descriptors.
#pragma once

namespace kelvort::standin {

class StopSignals {
 public:
  // Installs the handlers (and ignores SIGPIPE), then unblocks SIGTERM and SIGINT, so that
  // one that arrived while they were blocked is received now. Raises a std::runtime_error
  // on failure.
  StopSignals();
  // Restores the default handlers.
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Readable once SIGTERM or SIGINT has arrived.
  int fd() const { return read_fd_; }
  // Blocks until SIGTERM or SIGINT arrives.
  void Wait() const;
  // Makes fd() readable as a stop signal does: a client's Application.Quit.
  void Request() const;

 private:
  int read_fd_ = -1;
  int write_fd_ = -1;
};

}  // namespace kelvort::standin
