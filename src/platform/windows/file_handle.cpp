// Writing a whole buffer through a Win32 file handle.
#include "platform/windows/file_handle.h"

#include <algorithm>

namespace kelvort {

bool WriteAll(HANDLE file, std::string_view bytes) {
  constexpr size_t kChunk = 1 << 20;
  while (!bytes.empty()) {
    const DWORD wanted = static_cast<DWORD>(std::min(bytes.size(), kChunk));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), wanted, &written, nullptr)) return false;
    if (written == 0) {
      ::SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace kelvort
