// Atomic replacement of a file's content.
#include "platform/posix/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/posix/file_descriptor.h"
#include "platform/posix/file_error.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

constexpr int kMaxLinkDepth = 40;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that a path finally names, following symbolic links; it need not exist yet.
std::string FinalTarget(std::string path, std::string_view shown_path) {
  std::vector<char> buffer(4096);
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0) return path;  // not a link, or nothing there yet
    if (static_cast<size_t>(length) == buffer.size()) RaiseFileError(ENAMETOOLONG, 76, shown_path);
    std::string target(buffer.data(), static_cast<size_t>(length));
    if (target.front() != '/') target.insert(0, FolderOf(path) + "/");
    path = std::move(target);
  }
  RaiseFileError(ELOOP, 76, shown_path);
}

std::string RandomSuffix() {
  std::random_device random;
  char text[17];
  std::snprintf(text, sizeof text, "%08x%08x", random(), random());
  return text;
}

// A new temporary file beside target; path receives its name.
FileDescriptor CreateTemporary(const std::string& target, mode_t mode, std::string& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = FolderOf(target) + "/.kelvort-" + RandomSuffix() + ".tmp";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd >= 0 || errno != EEXIST) return FileDescriptor(fd);
  }
  return FileDescriptor(-1);
}

void SyncFolder(const std::string& folder) {
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());  // best effort: the rename itself has succeeded
}

// The final target, whether it exists, and its state. A folder, a FIFO or a device in
// its place is refused: replacing it would put a plain file where it stood.
std::string ExistingTarget(const std::string& posix_path, std::string_view shown_path,
                           struct stat& old_file, bool& existed) {
  std::string target = FinalTarget(posix_path, shown_path);
  existed = ::stat(target.c_str(), &old_file) == 0;
  if (existed && S_ISDIR(old_file.st_mode)) RaiseFileError(EISDIR, 53, shown_path);
  if (existed && !S_ISREG(old_file.st_mode)) RaiseFileError(EINVAL, 53, shown_path);
  return target;
}

}  // namespace

void CheckReplaceableFile(const std::string& posix_path, std::string_view shown_path) {
  struct stat old_file {};
  bool existed = false;
  const std::string target = ExistingTarget(posix_path, shown_path, old_file, existed);
  std::string temporary;
  FileDescriptor fd = CreateTemporary(target, 0600, temporary);
  if (!fd.valid()) RaiseFileError(errno, 76, shown_path);
  ::unlink(temporary.c_str());
}

void ReplaceFileAtomically(const std::string& posix_path, std::string_view bytes,
                           std::string_view shown_path) {
  struct stat old_file {};
  bool existed = false;
  const std::string target = ExistingTarget(posix_path, shown_path, old_file, existed);

  std::string temporary;
  FileDescriptor fd = CreateTemporary(target, existed ? old_file.st_mode & 07777 : 0666, temporary);
  if (!fd.valid()) RaiseFileError(errno, 76, shown_path);

  int failure = 0;
  if (existed) {
    // The umask must not narrow the old permissions; the owner is kept where allowed.
    if (::fchmod(fd.get(), old_file.st_mode & 07777) != 0) failure = errno;
    if (::fchown(fd.get(), old_file.st_uid, old_file.st_gid) != 0) errno = 0;
  }
  if (failure == 0) failure = WriteAll(fd.get(), bytes);
  if (failure == 0 && ::fsync(fd.get()) != 0) failure = errno;
  const int close_failure = fd.Close();
  if (failure == 0) failure = close_failure;
  if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temporary.c_str());
    RaiseFileError(failure, 76, shown_path);
  }
  SyncFolder(FolderOf(target));
}

}  // namespace kelvort
