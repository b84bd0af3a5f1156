// A program run as a child process of a test.
#include "support/child_process.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace kelvort::testing {
namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
  std::vector<std::string> merged;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('=') + 1);
    bool replaced = false;
    for (const std::string& override : overrides) replaced |= override.rfind(name, 0) == 0;
    if (!replaced) merged.push_back(text);
  }
  merged.insert(merged.end(), overrides.begin(), overrides.end());
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// A pseudo-terminal's master side, and the path of its other side.
int OpenTerminal(std::string& other_side) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128];
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
      ptsname_r(master, name, sizeof name) != 0) {
    throw std::runtime_error("no pseudo-terminal for the child process");
  }
  other_side = name;
  return master;
}

// In the child: a session of its own, whose controlling terminal becomes its standard input.
// A terminal's signals come from keys typed once it runs, so they are not held back.
int ControllingTerminal(const std::string& path, const sigset_t& held) {
  if (setsid() < 0) return -1;
  const int fd = open(path.c_str(), O_RDWR);
  if (fd < 0 || ioctl(fd, TIOCSCTTY, 0) != 0) return -1;
  sigprocmask(SIG_UNBLOCK, &held, nullptr);
  return fd;
}

int StatusOf(int raw) {
  if (WIFEXITED(raw)) return WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
  return -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::vector<std::string>& env, Input input) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> envp = MergedEnvironment(env);
  auto argv_pointers = Pointers(argv);
  auto envp_pointers = Pointers(envp);
  const std::string out = (output_.path() / "out").string();
  const std::string err = (output_.path() / "err").string();
  std::string terminal_path;
  if (input == Input::kTerminal) terminal_ = OpenTerminal(terminal_path);
  const pid_t parent = getpid();
  // SIGTERM and SIGINT wait until the program unblocks them (CNEXT.exe does once its
  // handlers are in place), so that a test's signal is never lost to a start-up race. They
  // are blocked before the fork: the child is born with them blocked.
  sigset_t stop;
  sigset_t previous;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  sigprocmask(SIG_BLOCK, &stop, &previous);
  pid_ = fork();
  if (pid_ != 0) sigprocmask(SIG_SETMASK, &previous, nullptr);
  if (pid_ < 0) {
    if (terminal_ >= 0) close(terminal_);
    throw std::runtime_error("fork failed");
  }
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in_fd =
        terminal_ < 0 ? open("/dev/null", O_RDONLY) : ControllingTerminal(terminal_path, stop);
    if (out_fd < 0 || err_fd < 0 || in_fd < 0) _exit(127);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    execve(program.c_str(), argv_pointers.data(), envp_pointers.data());
    _exit(127);
  }
}

ChildProcess::~ChildProcess() {
  if (status_ < 0) {
    kill(pid_, SIGKILL);
    int raw = 0;
    waitpid(pid_, &raw, 0);
  }
  if (terminal_ >= 0) close(terminal_);
}

void ChildProcess::Signal(int signal_number) {
  if (status_ < 0) kill(pid_, signal_number);
}

void ChildProcess::Interrupt() {
  if (terminal_ < 0) {
    Signal(SIGINT);
  } else if (status_ < 0 && write(terminal_, "\x03", 1) != 1) {
    throw std::runtime_error("Ctrl+C could not be typed at the child's terminal");
  }
}

bool ChildProcess::Ended() {
  if (status_ >= 0) return true;
  int raw = 0;
  if (waitpid(pid_, &raw, WNOHANG) != pid_) return false;
  status_ = StatusOf(raw);
  return true;
}

ProcessResult ChildProcess::Wait() {
  if (status_ < 0) {
    int raw = 0;
    while (waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
    }
    status_ = StatusOf(raw);
  }
  return {status_, ReadBytes(output_.path() / "out"), ReadBytes(output_.path() / "err")};
}

bool ChildProcess::WaitForFile(const std::filesystem::path& file) {
  while (!std::filesystem::exists(file)) {
    if (Ended()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool ChildProcess::WaitForOutput(std::string_view text, bool standard_error, int times) {
  const auto file = output_.path() / (standard_error ? "err" : "out");
  const auto written = [&] {
    // Line ends as either platform's program writes them.
    std::string output = ReadBytes(file);
    std::erase(output, '\r');
    int found = 0;
    for (size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + 1)) {
      ++found;
    }
    return found;
  };
  while (written() < times) {
    if (Ended()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& env) {
  return ChildProcess(program, args, env).Wait();
}

std::string BuiltProgram(const std::string& name) {
  return std::string(KELVORT_BIN_DIR) + "/" + name;
}

}  // namespace kelvort::testing
