// The stand-in CATIA (bin/CNEXT.exe beside the benchmark) as a child process that serves
// the benchmark's structure and dies with the benchmark; both kept on one processor.
#pragma once

#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/posix/remote_dispatch.h"

namespace kelvort::bench {

// Keeps this process, and the processes it starts from now on, on the processor it runs
// on; answers that processor.
inline int PinToCurrentProcessor() {
  const int processor = sched_getcpu();
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(processor, &set);
  if (processor < 0 || sched_setaffinity(0, sizeof set, &set) != 0) {
    throw std::runtime_error("the benchmark cannot keep to one processor");
  }
  return processor;
}

class StandInProcess {
 public:
  // Starts CNEXT.exe on the document, registered in folder, and waits until it serves.
  StandInProcess(const std::filesystem::path& document, const std::filesystem::path& folder)
      : folder_(folder) {
    const std::string program =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "CNEXT.exe").string();
    const std::string runtime = "XDG_RUNTIME_DIR=" + folder.string();
    const std::string file = document.string();
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(127);
      char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(file.c_str()), nullptr};
      putenv(const_cast<char*>(runtime.c_str()));
      execv(program.c_str(), argv);
      _exit(127);
    }
    while (!std::filesystem::exists(folder / "CATIA.Application")) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        throw std::runtime_error(program + " ended before it served");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  // Asks it to end (it writes the changed documents back) and waits for it.
  ~StandInProcess() {
    if (pid_ < 0) return;
    try {
      QuitStandIn(folder_.string());
    } catch (const std::exception&) {
      kill(pid_, SIGKILL);
    }
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  StandInProcess(const StandInProcess&) = delete;
  StandInProcess& operator=(const StandInProcess&) = delete;

 private:
  std::filesystem::path folder_;
  pid_t pid_ = -1;
};

}  // namespace kelvort::bench
