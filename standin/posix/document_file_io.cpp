// Document files on POSIX: Z: names and the atomic replace of the platform.
#include "document_file_io.h"

#include "platform/posix/posix_path.h"
#include "platform/posix/replace_file.h"

namespace kelvort::standin {

std::string HostFileName(const std::filesystem::path& file) {
  return ToZForm(file.string());
}

void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  ReplaceFileAtomically(file.string(), bytes, file.string());
}

}  // namespace kelvort::standin
