// Process names from /proc.
#include "platform/posix/process_names.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <iterator>

#include "platform/posix/wql_query.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

// The kernel keeps at most this many characters of a command name.
constexpr size_t kCommandNameLimit = 15;

std::string BaseName(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ReadSmallFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool IsProcessId(const char* name) {
  if (*name == '\0') return false;
  for (; *name != '\0'; ++name) {
    if (!std::isdigit(static_cast<unsigned char>(*name))) return false;
  }
  return true;
}

}  // namespace

std::string ProcessName(const std::string& process_folder) {
  char target[4096];
  const ssize_t length = ::readlink((process_folder + "/exe").c_str(), target, sizeof target);
  if (length > 0 && static_cast<size_t>(length) < sizeof target) {
    std::string_view path(target, static_cast<size_t>(length));
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.ends_with(kDeleted)) path.remove_suffix(kDeleted.size());
    return BaseName(path);
  }
  // Another user's process, a zombie or a kernel thread: the command name, which the kernel
  // cuts short; the first argument completes a name that was cut.
  std::string command = ReadSmallFile(process_folder + "/comm");
  if (!command.empty() && command.back() == '\n') command.pop_back();
  if (command.size() < kCommandNameLimit) return command;
  const std::string arguments = ReadSmallFile(process_folder + "/cmdline");
  const std::string first = BaseName(arguments.substr(0, arguments.find('\0')));
  return StartsWith(first, command) ? first : command;
}

std::vector<pid_t> ProcessesNamed(std::string_view name) {
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) Raise(wmi_errors::kFailed, "Generic failure: /proc cannot be read.");
  std::vector<pid_t> processes;
  while (const dirent* entry = ::readdir(proc)) {
    if (!IsProcessId(entry->d_name)) continue;
    if (EqualsIgnoreCase(ProcessName(std::string("/proc/") + entry->d_name), name)) {
      processes.push_back(static_cast<pid_t>(std::stol(entry->d_name)));
    }
  }
  ::closedir(proc);
  return processes;
}

bool RunsAsUser(pid_t process, uid_t user) {
  struct stat owner {};  // a process folder belongs to the process's user
  return ::stat(("/proc/" + std::to_string(process)).c_str(), &owner) == 0 && owner.st_uid == user;
}

}  // namespace kelvort
