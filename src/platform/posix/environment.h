// The process environment and the program's folder on POSIX, in the program's path form.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvort {

class PosixEnvironment : public Environment {
 public:
  // Reads a variable as it stands; none when it is not set.
  using Lookup = std::function<std::optional<std::string>(std::string_view name)>;

  // program_folder in Z: form. lookup defaults to the process's own environment.
  explicit PosixEnvironment(std::string program_folder, Lookup lookup = ProcessVariable);

  // An absolute POSIX value comes in Z: form; APPDATA, when not set, is $XDG_CONFIG_HOME,
  // else $HOME/.config.
  std::string Variable(std::string_view name) const override;
  std::string ProgramFolder() const override { return program_folder_; }
  std::string CurrentFolder() const override;
  bool InCurrentSession(uint32_t process_id) const override;

  // The process's variable; names are matched exactly first, then ignoring case, as the
  // settings files are written for Windows, where %AppData% and %APPDATA% are one.
  static std::optional<std::string> ProcessVariable(std::string_view name);

 private:
  std::string Raw(std::string_view name) const;

  std::string program_folder_;
  Lookup lookup_;
};

// The folder of the running executable in Z: form, from /proc/self/exe, else from argv0.
std::string ExecutableFolder(const char* argv0);

}  // namespace kelvort
