// Run-time errors for failed Windows file-system calls.
#include "platform/windows/file_error.h"

#include <string>

#include "util/run_error.h"

namespace kelvort {
namespace {

int32_t RunErrorNumber(DWORD error_code, int32_t missing_number) {
  switch (error_code) {
    case ERROR_FILE_NOT_FOUND:
      return missing_number;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_DIRECTORY:
      return errors::kPathNotFound;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return errors::kFileAlreadyExists;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return errors::kPermissionDenied;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_PARAMETER:
      return errors::kBadFileName;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return errors::kDiskFull;
    default:
      return errors::kPathFileAccessError;
  }
}

}  // namespace

void RaiseFileError(DWORD error_code, int32_t missing_number, std::string_view path) {
  const int32_t number = RunErrorNumber(error_code, missing_number);
  Raise(number, StandardDescription(number) + ": \"" + std::string(path) + "\"");
}

}  // namespace kelvort
