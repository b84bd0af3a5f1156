// How the stand-in names and writes its document files on the platform it runs on.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvort::standin {

// The file's full name as the host reports it (a document's FullName): on Linux in the
// program's Z: form.
std::string HostFileName(const std::filesystem::path& file);

// Replaces the file's content atomically; the old content survives any failure, which
// raises a RunError.
void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace kelvort::standin
