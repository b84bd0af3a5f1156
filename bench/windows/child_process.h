// A program the benchmark starts under Windows (the stand-in, its own echo server), with its
// output discarded; ended by force if it has not ended by the time its owner goes.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/windows/win32.h"

namespace kelvort::bench {

class ChildProcess {
 public:
  ChildProcess(const std::wstring& program, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    nul_ = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                         OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul_;
    startup.hStdError = nul_;
    std::wstring command_line = L"\"" + program + L"\" " + arguments;
    if (nul_ == INVALID_HANDLE_VALUE ||
        !::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &process_)) {
      Close();
      throw std::runtime_error("a program of the benchmark cannot be started");
    }
    ::CloseHandle(process_.hThread);
  }
  ~ChildProcess() {
    if (process_.hProcess != nullptr && !Ended(kPatienceMs)) {
      ::TerminateProcess(process_.hProcess, 1);
      Ended(kPatienceMs);
    }
    Close();
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Whether it has ended, waiting for it up to the time given.
  bool Ended(DWORD wait_ms = 0) const {
    return ::WaitForSingleObject(process_.hProcess, wait_ms) == WAIT_OBJECT_0;
  }

 private:
  static constexpr DWORD kPatienceMs = 60000;

  void Close() {
    if (process_.hProcess != nullptr) ::CloseHandle(process_.hProcess);
    if (nul_ != INVALID_HANDLE_VALUE) ::CloseHandle(nul_);
  }

  HANDLE nul_ = INVALID_HANDLE_VALUE;
  PROCESS_INFORMATION process_{};
};

}  // namespace kelvort::bench
