// The operating-system services the program uses, one implementation per platform.
// Every path is text in Windows form; each platform maps it to its own file system.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/variant.h"
#include "util/regional_formats.h"

namespace kelvort {

// Process environment and the program's own folder.
class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value, empty when it is not set. On Linux an absolute POSIX value comes
  // in Z: form, and APPDATA falls back to the desktop's configuration folder.
  virtual std::string Variable(std::string_view name) const = 0;
  // The folder the program was started from, without a trailing backslash.
  virtual std::string ProgramFolder() const = 0;
  // The process's current folder.
  virtual std::string CurrentFolder() const = 0;
  // Whether the process runs in the caller's own desktop session (on Windows its session
  // id; on Linux its user). False when the process is gone.
  virtual bool InCurrentSession(uint32_t process_id) const = 0;
};

struct FolderEntry {
  std::string name;
  bool is_folder = false;
};

// Files and folders. Failures raise a RunError (53 file not found, 76 path not found,
// 75 path/file access error, 52 bad file name, 70 permission denied).
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FolderExists(std::string_view path) const = 0;
  virtual bool FileExists(std::string_view path) const = 0;
  // Creates one folder whose parent exists.
  virtual void CreateFolder(std::string_view path) = 0;
  // Creates an empty file; an existing file is left as it is.
  virtual void CreateEmptyFile(std::string_view path) = 0;
  virtual std::string ReadFile(std::string_view path) const = 0;
  // Replaces the file's content atomically: a temporary file with an unpredictable name
  // in the same folder, flushed, then renamed over the old one. The old content survives
  // any failure; permissions are kept; a symbolic link stays one (its target is replaced).
  // A path that names no regular file (a folder, a FIFO, a device) is refused.
  virtual void ReplaceFile(std::string_view path, std::string_view bytes) = 0;
  // Raises the failure that ReplaceFile would meet before writing (a missing folder, no
  // regular file in the file's place, a folder refusing new files); changes nothing.
  virtual void CheckReplaceable(std::string_view path) const = 0;
  // Copies a file over another one, with the atomic replace above.
  virtual void CopyFile(std::string_view from, std::string_view to) = 0;
  // Appends text, given in UTF-8, in the system's 8-bit code page. The file must exist.
  virtual void AppendText(std::string_view path, std::string_view utf8_text) = 0;
  // The entries of a folder, sorted by name.
  virtual std::vector<FolderEntry> ListFolder(std::string_view path) const = 0;
  // The machine's drives ("Z:" on Linux).
  virtual std::vector<std::string> Drives() const = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time of day.
  virtual DateTime Now() const = 0;
};

// Modal message boxes with a single OK button and no icon.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Returns when the user has closed the box.
  virtual void Show(std::string_view text, std::string_view title) = 0;
};

// Automation objects from outside the program.
class ComServices {
 public:
  virtual ~ComServices() = default;
  // The object a moniker names (the WMI service, for one).
  virtual DispatchPtr GetObject(std::string_view moniker) = 0;
  // The running instance of a server registered under a programmatic identifier.
  virtual DispatchPtr GetActiveObject(std::string_view prog_id) = 0;
};

// Window stacking of the program's own windows.
using WindowHandle = std::intptr_t;
class WindowStacking {
 public:
  virtual ~WindowStacking() = default;
  virtual void SetTopmost(WindowHandle window, bool topmost) = 0;
};

// Opening a document (the help page) with the desktop's program for it.
class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the file without a shell command string. Failures raise a RunError.
  virtual void OpenDocument(std::string_view path) = 0;
};

// The services of one platform, as the run state hands them to every procedure.
// Owns nothing: whoever builds it keeps the services alive for as long as it is used.
struct Platform {
  Environment& environment;
  FileSystem& files;
  Clock& clock;
  RegionalFormats formats;
  MessageBoxes& message_boxes;
  ComServices& com;
  WindowStacking& windows;
  Shell& shell;
};

// The running platform's own services, with the regional formats read from the locale.
class NativePlatform {
 public:
  virtual ~NativePlatform() = default;
  virtual Platform& platform() = 0;
};
// argv0 is the program's path as started, used to find the program's folder. console: message
// boxes go to standard output in the terminal format, and no window is shown (always so on
// POSIX).
std::unique_ptr<NativePlatform> CreateNativePlatform(const char* argv0, bool console = false);

// The user's single run, held from a successful claim until it is destroyed: a named
// mutex in the session on Windows, a lock file in the user's runtime folder on Linux.
class SingleRunLock {
 public:
  virtual ~SingleRunLock() = default;
};
// Null when another run of the same user holds it. Where no lock can be made at all (an
// unusable runtime folder) the run is not refused.
std::unique_ptr<SingleRunLock> ClaimSingleRun();

// From the first call on, the user's request to stop (Ctrl+C, SIGINT and SIGTERM on Linux;
// Ctrl+C, Ctrl+Break and the closing of the console on Windows) no longer ends the process
// but is remembered, for the run to stop after the product or part in hand.
void CatchStopRequests();
bool StopRequested();
// Tells the catching that the run has ended: a console that is being closed waits for it.
void RunEnded();

// Told, on the thread that calls the host, when a host call has waited the no-answer
// interval (CATIA frozen, or held by a modal dialog) and when its answer came after all.
// While a call waits, the user's stop gives it up (platform/host_call_wait.h): the call then
// fails with errors::kHostCallAbandoned, and so does every later call to that host at once.
class HostAnswerWatcher {
 public:
  virtual ~HostAnswerWatcher() = default;
  virtual void HostDoesNotAnswer() = 0;
  virtual void HostAnswersAgain() = 0;
};
// The watcher of every host call from now on; null for none.
void WatchHostAnswers(HostAnswerWatcher* watcher);

// A small window of the program's own while a long run goes on: the run's progress and a Stop
// button that asks the run to stop as Ctrl+C does; so do Escape and the window's close box.
// It lives on a thread of its own, so that it answers while the run waits for CATIA, and
// closes when it is destroyed.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  // Shows the text in place of the one before (the window appears with the first).
  virtual void Show(std::string_view text) = 0;
};
// Null where the platform shows no windows (POSIX). stop_caption: the Stop button's caption.
std::unique_ptr<ProgressWindow> OpenProgressWindow(std::string_view stop_caption);

// Whether standard error is a terminal (a progress line may rewrite itself there).
bool StandardErrorIsTerminal();

// Makes standard output and standard error reach the terminal the program was started from
// (a Windows GUI program attaches to its parent's console unless its output is redirected).
void AttachToTerminal();

}  // namespace kelvort
