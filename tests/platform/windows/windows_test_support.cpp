// What the Windows tests share.
#include "platform/windows/windows_test_support.h"

#include <fstream>
#include <iterator>

#include "platform/windows/win32.h"

namespace kelvort::testing {
namespace {

namespace fs = std::filesystem;

fs::path Native(const std::string& path) {
  return fs::path(std::u8string(path.begin(), path.end()));
}

}  // namespace

TempFolder::TempFolder(const std::string& root) {
  const fs::path base = root.empty() ? fs::temp_directory_path() : Native(root);
  for (int counter = 0;; ++counter) {
    const fs::path folder = base / ("kelvort-test-" + std::to_string(::GetCurrentProcessId()) +
                                    "-" + std::to_string(counter));
    if (fs::create_directory(folder)) {
      const std::u8string text = folder.u8string();
      path_.assign(text.begin(), text.end());
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(Native(path_), ignored);
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(Native(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(Native(path), std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

}  // namespace kelvort::testing
