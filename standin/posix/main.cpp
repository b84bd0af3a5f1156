// CNEXT.exe on POSIX, the stand-in CATIA: serves the automation calls of the running
// "CATIA.Application" over the per-user local socket until a client asks it to quit or
// SIGTERM or SIGINT arrives, and writes changed documents back when it ends.
#include <iostream>

#include "document_files.h"
#include "platform/posix/local_socket.h"
#include "platform/posix/remote_dispatch.h"
#include "server.h"
#include "stand_in_main.h"
#include "stop_signals.h"
#include "util/run_error.h"

namespace kelvort::standin {
namespace {

class PosixServerFace final : public ServerFace {
 public:
  int QuitRunning() override {
    const std::string folder = DefaultRegistrationFolder();
    try {
      QuitStandIn(folder);
    } catch (const RunError& failure) {
      if (failure.number() != errors::kCannotCreateObject) throw;
      std::cerr << "CNEXT.exe: no stand-in CATIA serves this user.\n";
      return 1;
    }
    AwaitRegistrationFree(folder);
    return 0;
  }

  void Idle() override {
    StopSignals stop;
    stop.Wait();
  }

  void Serve(const ApplicationPtr& application) override {
    StopSignals stop;
    application->host()->SetQuitHandler([&stop] { stop.Request(); });
    // The registration is held until the documents are written back, so that no second
    // stand-in can start on them in the meantime.
    Server server(application);
    server.Run(stop.fd());
    application->host()->SetQuitHandler(nullptr);
    SaveChangedDocuments(*application);
  }
};

}  // namespace
}  // namespace kelvort::standin

int main(int argc, char** argv) {
  kelvort::standin::PosixServerFace face;
  return kelvort::standin::StandInMain({argv + 1, argv + argc}, face);
}
