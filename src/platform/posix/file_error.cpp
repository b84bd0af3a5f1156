// Run-time errors for failed file-system calls.
#include "platform/posix/file_error.h"

#include <cerrno>
#include <string>

#include "util/run_error.h"

namespace kelvort {
namespace {

int32_t RunErrorNumber(int error_number, int32_t missing_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
      return missing_number;
    case EEXIST:
      return errors::kFileAlreadyExists;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return errors::kPermissionDenied;
    case ENAMETOOLONG:
    case EINVAL:
      return errors::kBadFileName;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return errors::kDiskFull;
    default:
      return errors::kPathFileAccessError;
  }
}

}  // namespace

void RaiseFileError(int error_number, int32_t missing_number, std::string_view path) {
  const int32_t number = RunErrorNumber(error_number, missing_number);
  Raise(number, StandardDescription(number) + ": \"" + std::string(path) + "\"");
}

}  // namespace kelvort
