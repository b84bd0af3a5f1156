// Running a step in a child process whose writes fail beyond a file size.
#include "support/file_size_limit.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvort::testing {

bool SucceedsWithFileSizeLimit(uint64_t limit, const std::function<bool()>& step) {
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit file_size{limit, limit};
    setrlimit(RLIMIT_FSIZE, &file_size);
    bool succeeded = false;
    try {
      succeeded = step();
    } catch (...) {
    }
    _exit(succeeded ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace kelvort::testing
