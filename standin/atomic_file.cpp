// Atomic replacement of a document file. The stand-in runs on POSIX systems only.
#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "document_error.h"

namespace kelvort::standin {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& file, const char* step, int error) {
  throw DocumentError(file, std::string("cannot be written (") + step + "): " +
                                std::strerror(error));
}

// Closes and removes the temporary file unless it has been renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string name) : name_(std::move(name)) {
    fd_ = mkstemp(name_.data());
  }
  ~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!renamed_) unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  const std::string& name() const { return name_; }
  int Close() {
    const int result = close(fd_);
    fd_ = -1;
    return result;
  }
  void Renamed() { renamed_ = true; }

 private:
  std::string name_;
  int fd_ = -1;
  bool renamed_ = false;
};

}  // namespace

void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  TemporaryFile temporary(file.string() + ".tmp-XXXXXX");
  if (temporary.fd() < 0) Fail(file, "creating a temporary file", errno);
  while (!bytes.empty()) {
    const ssize_t written = write(temporary.fd(), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(file, "writing", errno);
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  struct stat old_file;
  if (stat(file.c_str(), &old_file) == 0 && fchmod(temporary.fd(), old_file.st_mode & 07777) != 0) {
    Fail(file, "keeping its permissions", errno);
  }
  if (fsync(temporary.fd()) != 0) Fail(file, "flushing", errno);
  if (temporary.Close() != 0) Fail(file, "closing", errno);
  if (rename(temporary.name().c_str(), file.c_str()) != 0) Fail(file, "renaming", errno);
  temporary.Renamed();
  // The rename itself reaches the disk with the folder.
  const int folder = open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
}

}  // namespace kelvort::standin
