// The file system on Windows, through the wide-character API.
#include "platform/windows/file_system.h"

#include <algorithm>

#include "platform/windows/file_error.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/replace_file.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The wide path for an operation; a character no file name can hold raises 52.
std::wstring Require(std::string_view path) {
  if (path.find('\0') != std::string_view::npos || path.empty()) {
    RaiseFileError(ERROR_INVALID_NAME, errors::kBadFileName, path);
  }
  return Widen(path);
}

DWORD Attributes(std::string_view path) {
  if (path.empty() || path.find('\0') != std::string_view::npos) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(Widen(path).c_str());
}

}  // namespace

bool WindowsFileSystem::FolderExists(std::string_view path) const {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WindowsFileSystem::FileExists(std::string_view path) const {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void WindowsFileSystem::CreateFolder(std::string_view path) {
  if (!::CreateDirectoryW(Require(path).c_str(), nullptr)) {
    RaiseFileError(::GetLastError(), errors::kPathNotFound, path);
  }
}

void WindowsFileSystem::CreateEmptyFile(std::string_view path) {
  // Opened for reading only: an existing file is neither changed nor truncated.
  FileHandle file(::CreateFileW(Require(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) RaiseFileError(::GetLastError(), errors::kPathNotFound, path);
}

std::string WindowsFileSystem::ReadFile(std::string_view path) const {
  FileHandle file(::CreateFileW(Require(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) RaiseFileError(::GetLastError(), errors::kFileNotFound, path);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    DWORD count = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr)) {
      RaiseFileError(::GetLastError(), errors::kFileNotFound, path);
    }
    if (count == 0) return bytes;
    bytes.append(buffer, count);
  }
}

void WindowsFileSystem::CheckReplaceable(std::string_view path) const {
  CheckReplaceableFile(Require(path), path);
}

void WindowsFileSystem::ReplaceFile(std::string_view path, std::string_view bytes) {
  ReplaceFileAtomically(Require(path), bytes, path);
}

void WindowsFileSystem::CopyFile(std::string_view from, std::string_view to) {
  ReplaceFile(to, ReadFile(from));
}

void WindowsFileSystem::AppendText(std::string_view path, std::string_view utf8_text) {
  FileHandle file(::CreateFileW(Require(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) RaiseFileError(::GetLastError(), errors::kFileNotFound, path);
  LARGE_INTEGER size{};
  const bool sized = ::GetFileSizeEx(file.get(), &size) != 0;
  LARGE_INTEGER end{};
  DWORD failure = 0;
  if (!sized || !::SetFilePointerEx(file.get(), end, nullptr, FILE_END) ||
      !WriteAll(file.get(), ToCodePage(utf8_text, CP_ACP))) {
    failure = ::GetLastError();
    // A half-written entry is taken back, so the file keeps only whole entries.
    if (sized && ::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN)) {
      ::SetEndOfFile(file.get());
    }
  }
  if (!file.Close() && failure == 0) failure = ::GetLastError();
  if (failure != 0) RaiseFileError(failure, errors::kFileNotFound, path);
}

std::vector<FolderEntry> WindowsFileSystem::ListFolder(std::string_view path) const {
  std::wstring pattern = Require(path);
  if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) RaiseFileError(::GetLastError(), errors::kPathNotFound, path);
  std::vector<FolderEntry> entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back({Narrow(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

std::vector<std::string> WindowsFileSystem::Drives() const {
  std::vector<std::string> drives;
  const DWORD mask = ::GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if ((mask & (1u << letter)) != 0) drives.push_back(std::string(1, char('A' + letter)) + ":");
  }
  return drives;
}

}  // namespace kelvort
