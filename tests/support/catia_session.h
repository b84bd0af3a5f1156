// What session detection sees, set up for integration tests: a registration folder and an
// application-data folder of the test's own, processes named CNEXT.exe that die with the
// test, and the platform's real COM services.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/run_state.h"
#include "forms/forms.h"
#include "platform/posix/com_services.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort::testing {

class CatiaSession {
 public:
  // Points XDG_RUNTIME_DIR and APPDATA of this process, and of the processes it starts, to
  // folders of the test; both are put back at the end.
  CatiaSession();
  ~CatiaSession();
  CatiaSession(const CatiaSession&) = delete;
  CatiaSession& operator=(const CatiaSession&) = delete;

  // Starts bin/CNEXT.exe with the arguments; returns once it runs as CNEXT.exe and, unless
  // it was started with --idle, serves.
  ChildProcess& StartCatia(const std::vector<std::string>& args);
  // Starts a copy of /bin/sleep under the file name given, in a folder of the test; as
  // another user when one is given.
  ChildProcess& StartNamed(const std::string& file_name, std::optional<uid_t> user = {});
  std::vector<std::string> Env() const;
  std::filesystem::path run_folder() const { return dir_.path() / "run"; }
  std::filesystem::path app_data_folder() const { return dir_.path() / "appdata"; }
  std::filesystem::path log_file() const { return dir_.path() / "logs" / "Error.log"; }

  std::unique_ptr<ComServices> com = CreatePosixComServices();
  TestPlatform test;
  Platform platform{test.environment,   test.files, test.clock,   RegionalFormats{},
                    test.message_boxes, *com,       test.windows, test.shell};
  RunState state{platform};
  Forms forms{state};

 private:
  ChildProcess& Started(std::unique_ptr<ChildProcess> process, const std::string& name);

  TempDir dir_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
  std::vector<std::unique_ptr<ChildProcess>> processes_;
};

// Runs body where /proc shows only the processes it starts (a PID namespace of its own), so
// that CATIA processes of anything else on the machine cannot change what it counts. Its
// failures are reported as usual and fail the test. Where the system does not allow a
// namespace, the test is skipped with that reason: what body counts would be the machine's.
void InPrivateProcessTable(const std::function<void()>& body);

}  // namespace kelvort::testing
