// Opening the help page through Explorer on Windows.
#include "platform/windows/shell.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
#include "util/run_error.h"

namespace kelvort {

std::wstring DocumentCommandLine(std::wstring_view program, std::string_view path) {
  return std::wstring(program) + L" \"" + Widen(path) + L"\"";
}

void WindowsShell::OpenDocument(std::string_view path) {
  std::wstring command_line = DocumentCommandLine(program_, path);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    Raise(errors::kFileNotFound, "Cannot start " + Narrow(command_line));
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

}  // namespace kelvort
