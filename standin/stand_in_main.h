// CNEXT.exe's work on every platform around its server face: the command line, --help, the
// documents opened with the journal and the faults in place, and the exit status.
#pragma once

#include <string>
#include <vector>

#include "application.h"

namespace kelvort::standin {

// How the stand-in serves on one platform.
class ServerFace {
 public:
  virtual ~ServerFace() = default;
  // --quit: asks the stand-in serving this user to write its documents back and end; 0 once
  // it has ended, 1 when none serves.
  virtual int QuitRunning() = 0;
  // --idle: runs without serving anything until ended.
  virtual void Idle() = 0;
  // Registers and serves the application until it is asked to end, then writes the changed
  // documents back (SaveChangedDocuments) before giving up the registration.
  virtual void Serve(const ApplicationPtr& application) = 0;
};

// Runs CNEXT.exe with the arguments after its name (UTF-8); answers the exit status.
int StandInMain(const std::vector<std::string>& args, ServerFace& face);

}  // namespace kelvort::standin
