// Replacing a file's content so that a reader sees the old or the new content, never a
// mix, whatever happens during the write.
#pragma once

#include <filesystem>
#include <string_view>

namespace kelvort::standin {

// Writes the bytes to a new file in the same folder, flushes it to the disk, gives it the
// old file's permissions and renames it over the file. Raises a DocumentError naming the
// file when any step fails; the old content is then untouched and no temporary file stays.
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace kelvort::standin
