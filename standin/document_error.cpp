// A document file that cannot be read or written.
#include "document_error.h"

namespace kelvort::standin {
namespace {
std::string Message(const std::filesystem::path& file, const std::string& what, size_t line) {
  std::string message = file.string() + ": ";
  if (line != 0) message += "line " + std::to_string(line) + ": ";
  return message + what;
}
}  // namespace

DocumentError::DocumentError(const std::filesystem::path& file, const std::string& what,
                             size_t line)
    : std::runtime_error(Message(file, what, line)) {}

}  // namespace kelvort::standin
