// Stand-in servers for tests: one in a thread of the test, one in a child process that dies
// with the test.
#pragma once

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "host/variant.h"
#include "posix/server.h"

namespace kelvort::testing {

// Serves the root object in a thread until it goes out of scope.
class ServerThread {
 public:
  // Returns once the server is registered in the folder.
  ServerThread(DispatchPtr root, const std::string& folder);
  ~ServerThread();
  ServerThread(const ServerThread&) = delete;
  ServerThread& operator=(const ServerThread&) = delete;

  const std::string& socket_path() const { return server_.socket_path(); }
  // Waits until the server has stopped by itself (a quit request).
  void Join();

 private:
  standin::Server server_;
  int stop_[2] = {-1, -1};
  std::thread thread_;
};

// Serves the root object that make_root builds in a child process, which dies with the test
// (a parent-death signal) and is killed when this goes out of scope.
class ServerProcess {
 public:
  // Returns once the child is registered in the folder; a child that fails to register
  // ends with status 1, which Wait() reports.
  ServerProcess(const std::function<DispatchPtr()>& make_root, const std::string& folder);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Waits for the child to end; its exit status, or 128 + the signal that ended it.
  int Wait();

 private:
  pid_t pid_ = -1;
};

}  // namespace kelvort::testing
