// A document file that cannot be read or written, with the file and what is wrong.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace kelvort::standin {

class DocumentError : public std::runtime_error {
 public:
  // "<file>: <what>", or "<file>: line <n>: <what>" when line is not 0.
  DocumentError(const std::filesystem::path& file, const std::string& what, size_t line = 0);
};

}  // namespace kelvort::standin
