// Registration of the stand-in's socket and the checks that keep it to one user.
#include "platform/posix/local_socket.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "util/run_error.h"

namespace kelvort {
namespace {

std::string SystemText(int error) {
  return std::strerror(error);
}

std::string OctalMode(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

sockaddr_un SocketAddress(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    Raise(errors::kBadFileName, "The socket path " + path + " is too long for a local socket.");
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

std::string SocketPath(const std::string& folder) {
  return folder + "/" + std::string(kRegistrationName);
}

int NewSocket(int flags) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
  if (fd < 0) Raise(errors::kPathFileAccessError, "socket: " + SystemText(errno));
  return fd;
}

const std::string& CreatedPrivateFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    Raise(errors::kPathNotFound,
          "The folder " + folder + " cannot be created: " + SystemText(errno));
  }
  CheckPrivateFolder(folder);
  return folder;
}

}  // namespace

std::string DefaultRegistrationFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  return "/tmp/runtime-" + std::to_string(::geteuid());
}

void CheckPrivateFolder(const std::string& folder) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) {
    Raise(errors::kPathNotFound, "The folder " + folder + " cannot be read: " + SystemText(errno));
  }
  if (!S_ISDIR(info.st_mode)) {
    Raise(errors::kPermissionDenied, "The stand-in's folder " + folder + " is not a folder.");
  }
  if (info.st_uid != ::geteuid()) {
    Raise(errors::kPermissionDenied, "The stand-in's folder " + folder + " belongs to user " +
                                         std::to_string(info.st_uid) + ", not to this user.");
  }
  if ((info.st_mode & 077) != 0) {
    Raise(errors::kPermissionDenied, "The stand-in's folder " + folder +
                                         " may be opened by other users (mode " +
                                         OctalMode(info.st_mode) + "; it must be 0700).");
  }
}

// The lock dies with its process, so a stand-in that crashed never blocks the next one.
Registration::Registration(const std::string& folder)
    : socket_path_(SocketPath(CreatedPrivateFolder(folder))),
      lock_(::open((socket_path_ + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                   0600)),
      listener_(NewSocket(SOCK_NONBLOCK)) {
  if (!lock_.valid()) {
    Raise(errors::kPathFileAccessError,
          "The lock " + socket_path_ + ".lock cannot be opened: " + SystemText(errno));
  }
  if (::flock(lock_.get(), LOCK_EX | LOCK_NB) != 0) {
    Raise(errors::kFileAlreadyExists,
          "Another CATIA stand-in is already running as CATIA.Application for this user (" +
              socket_path_ + ").");
  }
  // The socket is made under another name and renamed into place once it listens, so that
  // whoever sees it can connect; a socket left behind by a stand-in that is gone is replaced.
  const std::string new_path = socket_path_ + ".new";
  const sockaddr_un address = SocketAddress(new_path);
  ::unlink(new_path.c_str());
  if (::bind(listener_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_.get(), 64) != 0 || ::rename(new_path.c_str(), socket_path_.c_str()) != 0) {
    const int error = errno;
    ::unlink(new_path.c_str());
    Raise(errors::kPathFileAccessError,
          "The socket " + socket_path_ + " cannot be registered: " + SystemText(error));
  }
}

Registration::~Registration() {
  Unregister();
}

void Registration::Unregister() {
  if (!listener_.valid()) return;
  ::unlink(socket_path_.c_str());
  listener_.Close();
}

void AwaitRegistrationFree(const std::string& folder) {
  const FileDescriptor lock(
      ::open((SocketPath(folder) + ".lock").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
  if (!lock.valid()) return;
  while (::flock(lock.get(), LOCK_SH) != 0 && errno == EINTR) {
  }
}

int ConnectToRegistration(const std::string& folder) {
  const std::string path = SocketPath(folder);
  const sockaddr_un address = SocketAddress(path);
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) {
    Raise(errors::kCannotCreateObject, "No CATIA stand-in is running (" + folder + " is missing).");
  }
  CheckPrivateFolder(folder);
  const int socket = NewSocket(0);
  if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    ::close(socket);
    Raise(errors::kCannotCreateObject,
          "No CATIA stand-in answers at " + path + ": " + SystemText(error));
  }
  return socket;
}

bool SendAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<size_t>(sent));
  }
  return true;
}

}  // namespace kelvort
