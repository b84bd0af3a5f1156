// A Win32 file handle closed with its owner.
#pragma once

#include <string_view>
#include <utility>

#include "platform/windows/win32.h"

namespace kelvort {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  // Closes now; true when the handle closed cleanly (or was never open).
  bool Close() {
    const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE || handle == nullptr || ::CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

// Writes every byte; false with GetLastError set when a write fails.
bool WriteAll(HANDLE file, std::string_view bytes);

}  // namespace kelvort
