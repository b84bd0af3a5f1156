// The process environment and the program's folder on Windows.
#include "platform/windows/environment.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace kelvort {
namespace {

// Calls an API that fills a buffer and answers the length it wrote, or the size it needs
// when the buffer is too small.
template <typename Fill>
std::wstring Filled(Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2 > length ? buffer.size() * 2 : length + 1);
  }
}

}  // namespace

std::string WindowsEnvironment::Variable(std::string_view name) const {
  const std::wstring wide_name = Widen(name);
  if (wide_name.empty() || wide_name.find(L'=') != std::wstring::npos) return {};
  return Narrow(Filled([&](wchar_t* buffer, DWORD size) {
    return ::GetEnvironmentVariableW(wide_name.c_str(), buffer, size);
  }));
}

std::string WindowsEnvironment::ProgramFolder() const {
  // GetModuleFileNameW answers the buffer's size when it had to cut the name short.
  const std::wstring executable = Filled([](wchar_t* buffer, DWORD size) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, size);
    return length == size ? size + 1 : length;
  });
  const size_t backslash = executable.rfind(L'\\');
  if (backslash == std::wstring::npos) return {};
  const bool root = backslash == 2 && executable[1] == L':';
  return Narrow(executable.substr(0, root ? backslash + 1 : backslash));
}

std::string WindowsEnvironment::CurrentFolder() const {
  return Narrow(
      Filled([](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); }));
}

bool WindowsEnvironment::InCurrentSession(uint32_t process_id) const {
  DWORD own = 0;
  DWORD other = 0;
  return ::ProcessIdToSessionId(::GetCurrentProcessId(), &own) &&
         ::ProcessIdToSessionId(process_id, &other) && own == other;
}

}  // namespace kelvort
