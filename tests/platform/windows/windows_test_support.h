// What the Windows tests share: a temporary folder, file bytes, and a run state's platform on
// the real Windows services with a fixed clock and recorded message boxes.
#pragma once

#include <filesystem>
#include <string>

#include "core/run_state.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/com_services.h"
#include "platform/windows/environment.h"
#include "platform/windows/file_system.h"
#include "platform/windows/regional_formats.h"
#include "platform/windows/shell.h"
#include "platform/windows/window_stacking.h"
#include "support/fixed_clock.h"
#include "support/recording_message_boxes.h"

namespace kelvort::testing {

// A new folder under root (the user's temporary folder when empty), removed at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& root = {});
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

 private:
  std::string path_;
};

// The bytes of the file at a UTF-8 path; empty when it cannot be read.
std::string FileBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

struct WindowsTestPlatform {
  ComApartment apartment;
  WindowsEnvironment environment;
  WindowsFileSystem files;
  FixedClock clock;
  RecordingMessageBoxes boxes;
  WindowsComServices com;
  WindowsWindowStacking windows;
  WindowsShell shell;
  Platform platform{environment, files, clock, ReadRegionalFormats(), boxes, com, windows, shell};
};

}  // namespace kelvort::testing
