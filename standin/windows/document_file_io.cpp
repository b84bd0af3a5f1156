// Document files on Windows: full names as Windows writes them, and the atomic replace of
// the platform.
#include "document_file_io.h"

#include "platform/windows/replace_file.h"
#include "platform/windows/wide_text.h"

namespace kelvort::standin {

std::string HostFileName(const std::filesystem::path& file) {
  return Narrow(file.lexically_normal().make_preferred().wstring());
}

void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  ReplaceFileAtomically(file.wstring(), bytes, Narrow(file.wstring()));
}

}  // namespace kelvort::standin
