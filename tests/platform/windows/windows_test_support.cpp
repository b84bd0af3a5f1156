// What the Windows tests share.
#include "platform/windows/windows_test_support.h"

#include <atomic>
#include <fstream>
#include <iterator>

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace kelvort::testing {
namespace {

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(child);
      } else {
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder(std::string root) {
  if (root.empty()) {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    root = Narrow({buffer, length});
  }
  if (!root.empty() && root.back() == '\\') root.pop_back();
  static std::atomic<int> counter;
  for (;;) {
    path_ = root + "\\kelvort-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    if (::CreateDirectoryW(Widen(path_).c_str(), nullptr)) return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no folder " + path_);
  }
}

TempFolder::~TempFolder() {
  RemoveTree(Widen(path_));
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(Widen(path).c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(Widen(path).c_str(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kelvort::testing
