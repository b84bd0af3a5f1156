// A program run as a child process of a test, with its output captured; it dies with the
// test (a parent-death signal) and is killed when its owner goes out of scope. It starts
// with SIGTERM and SIGINT blocked: they reach it once it unblocks them.
//
// Its standard input is /dev/null, or a pseudo-terminal that is its controlling terminal in a
// session of its own, with those signals not held back: Wine gives a program started so a
// console, and a Ctrl+C typed there reaches it as the console's CTRL_C_EVENT.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_dir.h"

namespace kelvort::testing {

struct ProcessResult {
  int status = -1;  // the exit status, or 128 + the signal that ended the process
  std::string out;
  std::string err;
};

enum class Input { kNone, kTerminal };

class ChildProcess {
 public:
  // Starts program with args; env holds NAME=value entries added to (or replacing those
  // of) the test's environment.
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& env = {}, Input input = Input::kNone);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  void Signal(int signal_number);
  // Ctrl+C typed at its terminal, or SIGINT without one.
  void Interrupt();
  // Whether the process has ended; it is then reaped and Wait() answers at once.
  bool Ended();
  ProcessResult Wait();
  // Waits until the file exists; false when the process ended first.
  bool WaitForFile(const std::filesystem::path& file);
  // Waits until the process has written text to its standard output (or error), as often
  // as given, "\r\n" counting as "\n"; false when it ended first.
  bool WaitForOutput(std::string_view text, bool standard_error = false, int times = 1);

 private:
  TempDir output_;
  pid_t pid_ = -1;
  int status_ = -1;
  int terminal_ = -1;  // the pseudo-terminal's master side
};

// Runs the program to its end.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& env = {});

// The path of an executable of the build (bin/CNEXT.exe, bin/kelvort).
std::string BuiltProgram(const std::string& name);

}  // namespace kelvort::testing
