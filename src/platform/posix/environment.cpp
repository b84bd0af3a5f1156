// The process environment and the program's folder on POSIX, in the program's path form.
#include "platform/posix/environment.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/posix/posix_path.h"
#include "platform/posix/process_names.h"
#include "util/text.h"

// POSIX has a program declare environ itself; glibc declares it too.
extern char** environ;  // NOLINT(readability-redundant-declaration)

namespace kelvort {
namespace {

// A value that is one absolute POSIX path (a colon marks a list such as PATH, not a path).
bool IsAbsolutePosixPath(std::string_view value) {
  return !value.empty() && value.front() == '/' && value.find(':') == std::string_view::npos;
}

std::string InProgramForm(const std::string& value) {
  return IsAbsolutePosixPath(value) ? ToZForm(value) : value;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

PosixEnvironment::PosixEnvironment(std::string program_folder, Lookup lookup)
    : program_folder_(std::move(program_folder)), lookup_(std::move(lookup)) {}

std::optional<std::string> PosixEnvironment::ProcessVariable(std::string_view name) {
  const std::string wanted(name);
  if (wanted.empty() || wanted.find('=') != std::string::npos) return std::nullopt;
  if (const char* value = std::getenv(wanted.c_str())) return std::string(value);
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string_view text = *entry;
    const size_t equals = text.find('=');
    if (equals != std::string_view::npos && EqualsIgnoreCase(text.substr(0, equals), name)) {
      return std::string(text.substr(equals + 1));
    }
  }
  return std::nullopt;
}

std::string PosixEnvironment::Raw(std::string_view name) const {
  return lookup_(name).value_or(std::string());
}

std::string PosixEnvironment::Variable(std::string_view name) const {
  std::string value = Raw(name);
  if (value.empty() && EqualsIgnoreCase(name, "APPDATA")) {
    // The desktop's configuration folder; a relative XDG_CONFIG_HOME is ignored, as the
    // desktop's own rules say.
    value = Raw("XDG_CONFIG_HOME");
    if (!IsAbsolutePosixPath(value)) {
      const std::string home = Raw("HOME");
      value = IsAbsolutePosixPath(home) ? (home == "/" ? "" : home) + "/.config" : "";
    }
  }
  return InProgramForm(value);
}

std::string PosixEnvironment::CurrentFolder() const {
  std::vector<char> buffer(PATH_MAX);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return {};
  return ToZForm(buffer.data());
}

std::string ExecutableFolder(const char* argv0) {
  std::vector<char> buffer(PATH_MAX);
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  std::string executable;
  if (length > 0) {
    executable.assign(buffer.data(), static_cast<size_t>(length));
  } else if (argv0 != nullptr && ::realpath(argv0, buffer.data()) != nullptr) {
    executable = buffer.data();
  } else {
    return {};
  }
  const std::string folder = FolderOf(executable);
  return folder == "/" ? "Z:\\" : ToZForm(folder);
}

bool PosixEnvironment::InCurrentSession(uint32_t process_id) const {
  return RunsAsUser(static_cast<pid_t>(process_id), ::getuid());
}

}  // namespace kelvort
