// The POSIX platform's own services, set up once at the program's start.
#include <langinfo.h>
#include <locale.h>

#include <csignal>

#include "platform/posix/clock.h"
#include "platform/posix/com_services.h"
#include "platform/posix/environment.h"
#include "platform/posix/file_system.h"
#include "platform/posix/regional_formats.h"
#include "platform/posix/shell.h"
#include "platform/posix/window_stacking.h"
#include "platform/terminal_message_boxes.h"

namespace kelvort {
namespace {

// What the user's locale says; read once, here.
struct LocaleFacts {
  RegionalFormats formats;
  std::string code_set;
};

LocaleFacts ReadUserLocale() {
  locale_t locale = ::newlocale(LC_ALL_MASK, "", nullptr);
  if (locale == nullptr) locale = ::newlocale(LC_ALL_MASK, "C", nullptr);
  LocaleFacts facts{ReadRegionalFormats(locale), ::nl_langinfo_l(CODESET, locale)};
  ::freelocale(locale);
  return facts;
}

class PosixPlatform : public NativePlatform {
 public:
  PosixPlatform(const char* argv0, LocaleFacts locale)
      : environment_(ExecutableFolder(argv0)),
        files_(std::move(locale.code_set)),
        com_(CreatePosixComServices()),
        platform_{environment_, files_, clock_,   std::move(locale.formats),
                  boxes_,       *com_,  windows_, shell_} {}

  Platform& platform() override { return platform_; }

 private:
  PosixEnvironment environment_;
  PosixFileSystem files_;
  PosixClock clock_;
  TerminalMessageBoxes boxes_;
  std::unique_ptr<ComServices> com_;
  HeadlessWindowStacking windows_;
  PosixShell shell_;
  Platform platform_;
};

}  // namespace

void AttachToTerminal() {}

// Without a windowing renderer on POSIX, boxes always go to standard output.
std::unique_ptr<NativePlatform> CreateNativePlatform(const char* argv0, bool /*console*/) {
  // The program's start-up: the user's locale for the C library (character classes,
  // messages), but numbers keep the C form so that no library call reads or writes a
  // decimal comma behind the program's back; the program's own number format comes from
  // the regional formats.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  // A closed standard output or a file-size limit must fail the one write, not end the run.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  return std::make_unique<PosixPlatform>(argv0, ReadUserLocale());
}

}  // namespace kelvort
