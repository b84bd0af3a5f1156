// Atomic replacement of a file's content on Windows.
#include "platform/windows/replace_file.h"

#include <cstdio>
#include <random>

#include "platform/windows/file_error.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/win32.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::wstring FolderOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// The file a symbolic link finally names; other paths as they are.
std::wstring FinalTarget(const std::wstring& path, DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
  FileHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return path;
  std::wstring target(MAX_PATH, L'\0');
  DWORD length =
      ::GetFinalPathNameByHandleW(file.get(), target.data(), static_cast<DWORD>(target.size()), 0);
  if (length >= target.size()) {
    target.resize(length);
    length = ::GetFinalPathNameByHandleW(file.get(), target.data(),
                                         static_cast<DWORD>(target.size()), 0);
  }
  if (length == 0 || length >= target.size()) return path;
  target.resize(length);
  return target;
}

std::wstring RandomSuffix() {
  std::random_device random;
  wchar_t text[17];
  std::swprintf(text, 17, L"%08x%08x", random(), random());
  return text;
}

// A new temporary file beside target; path receives its name.
HANDLE CreateTemporary(const std::wstring& target, DWORD attributes, std::wstring& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = FolderOf(target) + L"~kelvort-" + RandomSuffix() + L".tmp";
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Whether the existing path names a file on a disk, not a device or a pipe.
bool IsDiskFile(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  return !file.valid() || ::GetFileType(file.get()) == FILE_TYPE_DISK;
}

// The attributes of the path (INVALID_FILE_ATTRIBUTES when nothing is there); a folder, a
// read-only file, a device or a pipe in the file's place is refused.
DWORD ReplaceableAttributes(const std::wstring& path, std::string_view shown_path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return attributes;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !IsDiskFile(path)) {
    RaiseFileError(ERROR_CANT_ACCESS_FILE, errors::kPathFileAccessError, shown_path);
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    RaiseFileError(ERROR_ACCESS_DENIED, errors::kPathFileAccessError, shown_path);
  }
  return attributes;
}

}  // namespace

void CheckReplaceableFile(const std::wstring& path, std::string_view shown_path) {
  const DWORD attributes = ReplaceableAttributes(path, shown_path);
  const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
  std::wstring temporary;
  FileHandle file(CreateTemporary(existed ? FinalTarget(path, attributes) : path,
                                  FILE_ATTRIBUTE_NORMAL, temporary));
  if (!file.valid()) RaiseFileError(::GetLastError(), errors::kPathNotFound, shown_path);
  file.Close();
  ::DeleteFileW(temporary.c_str());
}

void ReplaceFileAtomically(const std::wstring& path, std::string_view bytes,
                           std::string_view shown_path) {
  const DWORD old_attributes = ReplaceableAttributes(path, shown_path);
  const bool existed = old_attributes != INVALID_FILE_ATTRIBUTES;
  const std::wstring target = existed ? FinalTarget(path, old_attributes) : path;
  const DWORD kept = existed ? old_attributes & kKeptAttributes : 0;

  std::wstring temporary;
  FileHandle file(CreateTemporary(target, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, temporary));
  if (!file.valid()) RaiseFileError(::GetLastError(), errors::kPathNotFound, shown_path);
  DWORD failure = 0;
  if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) failure = ::GetLastError();
  if (!file.Close() && failure == 0) failure = ::GetLastError();
  if (failure == 0 && !::MoveFileExW(temporary.c_str(), target.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    failure = ::GetLastError();
  }
  if (failure != 0) {
    ::DeleteFileW(temporary.c_str());
    RaiseFileError(failure, errors::kPathNotFound, shown_path);
  }
}

}  // namespace kelvort
