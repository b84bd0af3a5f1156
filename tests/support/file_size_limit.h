// A limit on the size of files the process writes, lifted again with its owner: a way to make
// a write fail half-way even as root.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace kelvort::testing {

class FileSizeLimit {
 public:
  // Writes past bytes fail with EFBIG (the signal that would end the process is ignored).
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previous_handler_)(int) = nullptr;
};

}  // namespace kelvort::testing
