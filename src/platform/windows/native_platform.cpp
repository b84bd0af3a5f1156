// The Windows platform's own services, set up once at the program's start.
#include <cstdio>

#include "platform/terminal_message_boxes.h"
#include "platform/windows/clock.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/com_services.h"
#include "platform/windows/environment.h"
#include "platform/windows/file_system.h"
#include "platform/windows/message_boxes.h"
#include "platform/windows/message_filter.h"
#include "platform/windows/regional_formats.h"
#include "platform/windows/shell.h"
#include "platform/windows/window_stacking.h"

namespace kelvort {
namespace {

class WindowsPlatform : public NativePlatform {
 public:
  explicit WindowsPlatform(bool console)
      : platform_{environment_,
                  files_,
                  clock_,
                  ReadRegionalFormats(),
                  console ? static_cast<MessageBoxes&>(terminal_boxes_) : desktop_boxes_,
                  com_,
                  windows_,
                  shell_} {}

  Platform& platform() override { return platform_; }

 private:
  // First in, last out: every interface is released before COM is.
  ComApartment apartment_;
  // Calls to a busy CATIA tried again, a waiting call given up at the stop.
  MessageFilter message_filter_;
  WindowsEnvironment environment_;
  WindowsFileSystem files_;
  WindowsClock clock_;
  TerminalMessageBoxes terminal_boxes_;
  WindowsMessageBoxes desktop_boxes_;
  WindowsComServices com_;
  WindowsWindowStacking windows_;
  WindowsShell shell_;
  Platform platform_;
};

bool IsValid(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void AttachToTerminal() {
  // A GUI program started from a console has no standard output of its own unless it was
  // redirected; it then writes to the console of the program that started it.
  if (IsValid(::GetStdHandle(STD_OUTPUT_HANDLE)) && IsValid(::GetStdHandle(STD_ERROR_HANDLE))) {
    return;
  }
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  // A stream that cannot be reopened stays unseen; the run goes on.
  if (!IsValid(::GetStdHandle(STD_OUTPUT_HANDLE)) && !std::freopen("CONOUT$", "w", stdout)) return;
  if (!IsValid(::GetStdHandle(STD_ERROR_HANDLE)) && !std::freopen("CONOUT$", "w", stderr)) return;
}

std::unique_ptr<NativePlatform> CreateNativePlatform(const char* /*argv0*/, bool console) {
  return std::make_unique<WindowsPlatform>(console);
}

}  // namespace kelvort
