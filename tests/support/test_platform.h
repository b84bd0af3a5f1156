// A platform for tests: the real POSIX file system and environment (variables and the
// program's folder settable), with fakes for message boxes, clock, COM services (none running),
// window stacking and the shell. A run state in one line:
//   TestPlatform test;
//   RunState state(test.platform);
#pragma once

#include "platform/posix/file_system.h"
#include "platform/posix/window_stacking.h"
#include "support/fixed_clock.h"
#include "support/recording_message_boxes.h"
#include "support/recording_shell.h"
#include "support/test_environment.h"
#include "util/run_error.h"

namespace kelvort::testing {

// No automation server runs: every request fails as one that is not running does.
class NoComServices : public ComServices {
 public:
  DispatchPtr GetObject(std::string_view) override { Raise(errors::kCannotCreateObject); }
  DispatchPtr GetActiveObject(std::string_view) override { Raise(errors::kCannotCreateObject); }
};

class TestPlatform {
 public:
  TestPlatform() = default;
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  TestEnvironment environment;
  // Appended text is written in UTF-8, unchanged.
  PosixFileSystem files{"UTF-8"};
  FixedClock clock;
  RecordingMessageBoxes message_boxes;
  NoComServices com;
  HeadlessWindowStacking windows;
  RecordingShell shell;
  // The services above; formats are the defaults of RegionalFormats (US English), for the
  // test to change.
  Platform platform{environment,   files, clock,   RegionalFormats{},
                    message_boxes, com,   windows, shell};
};

}  // namespace kelvort::testing
