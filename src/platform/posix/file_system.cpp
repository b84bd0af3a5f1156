// The file system on POSIX, reached through the program's Windows-form paths.
#include "platform/posix/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/code_page.h"
#include "platform/posix/file_descriptor.h"
#include "platform/posix/file_error.h"
#include "platform/posix/posix_path.h"
#include "platform/posix/replace_file.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

// The POSIX path for an operation; a path that names nothing here raises missing_number,
// one with a character no file name can hold raises 52.
std::string Require(std::string_view path, int32_t missing_number) {
  if (path.find('\0') != std::string_view::npos) RaiseFileError(EINVAL, missing_number, path);
  const auto posix = ToPosixPath(path);
  if (!posix) RaiseFileError(ENOENT, missing_number, path);
  return *posix;
}

bool Stat(std::string_view path, struct stat& info) {
  if (path.find('\0') != std::string_view::npos) return false;
  const auto posix = ToPosixPath(path);
  return posix && ::stat(posix->c_str(), &info) == 0;
}

}  // namespace

bool PosixFileSystem::FolderExists(std::string_view path) const {
  struct stat info {};
  return Stat(path, info) && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::FileExists(std::string_view path) const {
  struct stat info {};
  return Stat(path, info) && !S_ISDIR(info.st_mode);
}

void PosixFileSystem::CreateFolder(std::string_view path) {
  const std::string posix = Require(path, errors::kPathNotFound);
  if (::mkdir(posix.c_str(), 0777) != 0) RaiseFileError(errno, errors::kPathNotFound, path);
}

void PosixFileSystem::CreateEmptyFile(std::string_view path) {
  const std::string posix = Require(path, errors::kPathNotFound);
  // Read-only and non-blocking: an existing file (or a pipe) is neither changed nor waited on.
  FileDescriptor fd(
      ::open(posix.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
  if (!fd.valid()) RaiseFileError(errno, errors::kPathNotFound, path);
}

std::string PosixFileSystem::ReadFile(std::string_view path) const {
  const std::string posix = Require(path, errors::kFileNotFound);
  FileDescriptor fd(::open(posix.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) RaiseFileError(errno, errors::kFileNotFound, path);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
    if (count == 0) return bytes;
    if (count < 0) {
      if (errno == EINTR) continue;
      RaiseFileError(errno, errors::kFileNotFound, path);
    }
    bytes.append(buffer, static_cast<size_t>(count));
  }
}

void PosixFileSystem::CheckReplaceable(std::string_view path) const {
  CheckReplaceableFile(Require(path, errors::kPathNotFound), path);
}

void PosixFileSystem::ReplaceFile(std::string_view path, std::string_view bytes) {
  ReplaceFileAtomically(Require(path, errors::kPathNotFound), bytes, path);
}

void PosixFileSystem::CopyFile(std::string_view from, std::string_view to) {
  ReplaceFile(to, ReadFile(from));
}

void PosixFileSystem::AppendText(std::string_view path, std::string_view utf8_text) {
  const std::string posix = Require(path, errors::kFileNotFound);
  FileDescriptor fd(::open(posix.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY));
  if (!fd.valid()) RaiseFileError(errno, errors::kFileNotFound, path);
  struct stat before {};
  const bool sized = ::fstat(fd.get(), &before) == 0;
  int failure = WriteAll(fd.get(), FromUtf8(utf8_text, code_set_));
  if (failure != 0 && sized && S_ISREG(before.st_mode)) {
    // A half-written entry is taken back, so the file keeps only whole entries.
    if (::ftruncate(fd.get(), before.st_size) != 0) errno = 0;
  }
  const int close_failure = fd.Close();
  if (failure == 0) failure = close_failure;
  if (failure != 0) RaiseFileError(failure, errors::kFileNotFound, path);
}

std::vector<FolderEntry> PosixFileSystem::ListFolder(std::string_view path) const {
  const std::string posix = Require(path, errors::kPathNotFound);
  DIR* folder = ::opendir(posix.c_str());
  if (folder == nullptr) RaiseFileError(errno, errors::kPathNotFound, path);
  std::vector<FolderEntry> entries;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    const bool is_folder =
        ::fstatat(::dirfd(folder), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    entries.push_back({name, is_folder});
  }
  ::closedir(folder);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

std::vector<std::string> PosixFileSystem::Drives() const {
  return {"Z:"};
}

}  // namespace kelvort
