// The running processes by executable name, read from /proc as WMI lists Win32_Process.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace kelvort {

// The executable's file name of the process in a /proc/<pid> folder: the base name of its
// exe link, or, where that cannot be read, its untruncated command name. Empty when the
// process is gone.
std::string ProcessName(const std::string& process_folder);

// How many processes of the user have the executable name, letter case ignored as WMI
// ignores it. Raises WMI's generic failure when /proc cannot be read.
int CountProcessesNamed(std::string_view name, uid_t user);

}  // namespace kelvort
