// Opening a document with the desktop's program for it, on POSIX.
#include "platform/posix/shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/posix/file_error.h"
#include "platform/posix/posix_path.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

// The opener's file actions: no input, and its output to standard error, since standard
// output carries only the program's own message boxes.
class QuietStreams {
 public:
  QuietStreams() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions_, STDERR_FILENO, STDOUT_FILENO);
  }
  ~QuietStreams() { posix_spawn_file_actions_destroy(&actions_); }
  QuietStreams(const QuietStreams&) = delete;
  QuietStreams& operator=(const QuietStreams&) = delete;
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

}  // namespace

void PosixShell::OpenDocument(std::string_view path) {
  const auto document = ToPosixPath(path);
  struct stat info {};
  if (!document || path.find('\0') != std::string_view::npos ||
      ::stat(document->c_str(), &info) != 0) {
    RaiseFileError(ENOENT, errors::kFileNotFound, path);
  }
  std::string program = opener_;
  std::string argument = *document;
  char* argv[] = {program.data(), argument.data(), nullptr};
  QuietStreams streams;
  pid_t child = 0;
  const int failure =
      ::posix_spawnp(&child, program.c_str(), streams.get(), nullptr, argv, environ);
  if (failure != 0) {
    Raise(errors::kFileNotFound, "Cannot start " + opener_ + ": " + std::strerror(failure));
  }
  // The opener runs on its own; it is reaped when it ends, so that it leaves no zombie.
  std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
}

}  // namespace kelvort
