// Session detection's view of the machine, set up for integration tests.
#include "support/catia_session.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/posix/process_names.h"
#include "support/wine_launch.h"

namespace kelvort::testing {
namespace {

namespace fs = std::filesystem;

// Waits until the child has become the program (after fork it still runs the test's image).
void WaitUntilNamed(ChildProcess& process, const std::string& name) {
  while (ProcessName("/proc/" + std::to_string(process.pid())) != name && !process.Ended()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// The exit status that says the namespace could not be had.
constexpr int kNoNamespace = 77;

int ExitStatus(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

[[noreturn]] void ExitChild(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  ::_exit(status);
}

}  // namespace

void InPrivateProcessTable(const std::function<void()>& body) {
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::unshare(CLONE_NEWPID | CLONE_NEWNS) != 0) ExitChild(kNoNamespace);
    const pid_t init = ::fork();  // the first process of the new namespace
    if (init == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
          ::mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) != 0) {
        ExitChild(kNoNamespace);
      }
      body();
      ExitChild(::testing::Test::HasFailure() ? 1 : 0);
    }
    ExitChild(init < 0 ? kNoNamespace : ExitStatus(init));
  }
  const int status = ExitStatus(child);
  if (status == kNoNamespace) {
    GTEST_SKIP() << "no process table of its own (unshare or mounting /proc refused): the "
                    "CATIA processes counted would be the whole machine's";
  }
  EXPECT_EQ(status, 0) << "the test failed in its own process table (see above)";
}

CatiaSession::CatiaSession() {
  fs::create_directory(dir_.path() / "logs");
  state.ErrorLogPath = dir_.WinPath("logs");
  for (const std::string& entry : Env()) {
    const std::string name = entry.substr(0, entry.find('='));
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    ::setenv(name.c_str(), entry.substr(name.size() + 1).c_str(), 1);
  }
}

CatiaSession::~CatiaSession() {
  processes_.clear();
  for (const auto& [name, value] : saved_) {
    if (value) {
      ::setenv(name.c_str(), value->c_str(), 1);
    } else {
      ::unsetenv(name.c_str());
    }
  }
}

std::vector<std::string> CatiaSession::Env() const {
  return {"XDG_RUNTIME_DIR=" + run_folder().string(), "APPDATA=" + app_data_folder().string()};
}

ChildProcess& CatiaSession::Started(std::unique_ptr<ChildProcess> process,
                                    const std::string& name) {
  WaitUntilNamed(*process, name);
  processes_.push_back(std::move(process));
  return *processes_.back();
}

ChildProcess& CatiaSession::StartCatia(const std::vector<std::string>& args) {
  const Launch launch = LaunchOf("CNEXT.exe", args);
  const bool idle = std::find(args.begin(), args.end(), "--idle") != args.end();
  if (UnderWine()) {
    processes_.push_back(std::make_unique<ChildProcess>(launch.program, launch.args, Env()));
    processes_.back()->WaitForOutput(idle ? kWindowsCatiaIdles : kWindowsCatiaServes);
    return *processes_.back();
  }
  ChildProcess& catia =
      Started(std::make_unique<ChildProcess>(launch.program, launch.args, Env()), "CNEXT.exe");
  if (!idle) catia.WaitForFile(run_folder() / "CATIA.Application");
  return catia;
}

ChildProcess& CatiaSession::StartNamed(const std::string& file_name, std::optional<uid_t> user) {
  const fs::path folder = dir_.path() / ("bin-" + std::to_string(processes_.size()));
  fs::create_directory(folder);
  fs::copy_file("/bin/sleep", folder / file_name);
  const std::string program = (folder / file_name).string();
  if (!user) {
    return Started(std::make_unique<ChildProcess>(program, std::vector<std::string>{"600"}),
                   file_name);
  }
  // The other user must reach the copy.
  for (const fs::path& level : {dir_.path(), folder}) {
    fs::permissions(level, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  }
  const std::string id = std::to_string(*user);
  return Started(
      std::make_unique<ChildProcess>("/usr/bin/setpriv",
                                     std::vector<std::string>{"--reuid=" + id, "--regid=" + id,
                                                              "--clear-groups", program, "600"}),
      file_name);
}

}  // namespace kelvort::testing
