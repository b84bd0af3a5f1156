// The stand-in's registration as "CATIA.Application": a Unix stream socket in a folder that
// only its user can open, held by a lock so that exactly one live stand-in owns it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/posix/file_descriptor.h"

namespace kelvort {

inline constexpr std::string_view kRegistrationName = "CATIA.Application";

// $XDG_RUNTIME_DIR when it is an absolute path, else /tmp/runtime-<uid>.
std::string DefaultRegistrationFolder();

// Raises a RunError (70) unless the folder is a real folder (not a link) owned by this
// user that no one else may open.
void CheckPrivateFolder(const std::string& folder);

// The registration of a live server: the lock, held for the server's life, and the
// listening socket (non-blocking). Raises a RunError with a clear message when another live
// stand-in holds the registration; a socket left behind by one that is gone is replaced.
class Registration {
 public:
  // Creates the folder (mode 0700) when it is missing.
  explicit Registration(const std::string& folder);
  // Unregisters, if that has not been done.
  ~Registration();
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;

  // Stops accepting connections and removes the socket; the lock is kept until the end, so
  // that no other stand-in registers while this one finishes its work.
  void Unregister();

  int listen_fd() const { return listener_.get(); }
  const std::string& socket_path() const { return socket_path_; }

 private:
  std::string socket_path_;
  FileDescriptor lock_;
  FileDescriptor listener_;
};

// Waits until no server holds the registration in the folder: one that was asked to quit
// has then written its documents back and ended.
void AwaitRegistrationFree(const std::string& folder);

// Connects to the server registered in the folder: a blocking socket that the caller owns.
// Raises run-time error 429 when none is there or none answers, 70 when the folder is not
// this user's alone.
int ConnectToRegistration(const std::string& folder);

// Writes all bytes to a blocking socket; false when the peer is gone or the write failed.
// Never raises SIGPIPE.
bool SendAll(int fd, std::span<const uint8_t> bytes);

}  // namespace kelvort
