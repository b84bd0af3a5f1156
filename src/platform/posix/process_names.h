// The running processes by executable name, read from /proc as WMI lists Win32_Process.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace kelvort {

// The executable's file name of the process in a /proc/<pid> folder: the base name of its
// exe link, or, where that cannot be read, its untruncated command name. Empty when the
// process is gone.
std::string ProcessName(const std::string& process_folder);

// The ids of the processes, every user's, that have the executable name, letter case
// ignored as WMI ignores it. Raises WMI's generic failure when /proc cannot be read.
std::vector<pid_t> ProcessesNamed(std::string_view name);

// Whether the process runs as the user; false when it is gone.
bool RunsAsUser(pid_t process, uid_t user);

}  // namespace kelvort
