// Standard descriptions of the run-time error numbers.
#include "util/run_error.h"

namespace kelvort {

std::string StandardDescription(int32_t number) {
  switch (number) {
    case errors::kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case errors::kOverflow:
      return "Overflow";
    case errors::kOutOfMemory:
      return "Out of memory";
    case errors::kSubscriptOutOfRange:
      return "Subscript out of range";
    case errors::kTypeMismatch:
      return "Type mismatch";
    case errors::kInternalError:
      return "Internal error";
    case errors::kBadFileName:
      return "Bad file name or number";
    case errors::kFileNotFound:
      return "File not found";
    case errors::kFileAlreadyExists:
      return "File already exists";
    case errors::kDiskFull:
      return "Disk full";
    case errors::kPermissionDenied:
      return "Permission denied";
    case errors::kPathFileAccessError:
      return "Path/File access error";
    case errors::kPathNotFound:
      return "Path not found";
    case errors::kObjectVariableNotSet:
      return "Object variable or With block variable not set";
    case errors::kInvalidPropertyValue:
      return "Invalid property value";
    case errors::kCannotCreateObject:
      return "ActiveX component can't create object";
    case errors::kObjectRequired:
      return "Object required";
    case errors::kMemberNotSupported:
      return "Object doesn't support this property or method";
    case errors::kWrongArgumentCount:
      return "Wrong number of arguments or invalid property assignment";
    case errors::kHostFailure:
      return "Automation error\r\nUnspecified error";
    case errors::kHostException:
      return "Automation error\r\nException occurred.";
    default:
      return {};
  }
}

RunError::RunError(int32_t number, const std::string& description)
    : std::runtime_error(description.empty() ? StandardDescription(number) : description),
      number_(number),
      description_(what()) {}

}  // namespace kelvort
