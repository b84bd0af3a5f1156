// The command line of CNEXT.exe.
#include "command_line.h"

#include <charconv>

namespace kelvort::standin {
namespace {

// MEMBER:N with a member name and a count from 1.
std::optional<std::pair<std::string, int>> ParseFault(const std::string& text) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return std::nullopt;
  int nth = 0;
  const char* first = text.data() + colon + 1;
  const char* last = text.data() + text.size();
  auto [end, ec] = std::from_chars(first, last, nth);
  if (ec != std::errc() || end != last || first == last || nth < 1) return std::nullopt;
  return std::make_pair(text.substr(0, colon), nth);
}

}  // namespace

std::string UsageText() {
  return R"(Usage: CNEXT.exe [options] FILE...

The stand-in CATIA V5. Opens the document files (the first one is the active document,
and every document that their structures reach is opened with them), registers as the
running "CATIA.Application" and serves automation calls until a client calls
Application.Quit, CNEXT.exe --quit asks it to end, or (on Linux) it receives SIGTERM or
SIGINT. It then writes every changed document back to its file and exits with status 0.

Options:
  --german          a German host: user properties are named
                    <part number>\Eigenschaften\<name> instead of ...\Properties\...
  --cache-mode      open as a cache (visualization) mode session: the documents that the
                    files place start unloaded until Product.ApplyWorkMode loads them
  --journal FILE    write every member call served to FILE, one line each, flushed
  --fault MEMBER:N  the Nth call of MEMBER (any object, letter case ignored) fails as the
                    host fails; may be given several times
  --no-document     start with no document open (no FILE is given then)
  --idle            run without serving: register nothing and wait to be ended (SIGTERM
                    or SIGINT on Linux, Ctrl+C or the end of the process on Windows)
  --quit            ask the stand-in that serves this user to write its documents back
                    and end; exit status 0 once it has ended, 1 when none serves
  --print           print the active document's tree and exit
  --help            show this text and exit

Exit status: 0 when all went well, 1 when a document could not be opened or written or
the registration failed (another stand-in serves already, say), 2 for a wrong command line.
The document file format is described in docs/standin-documents.md.
)";
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error) {
  CommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string* {
      if (i + 1 >= args.size()) return nullptr;
      return &args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--german") {
      line.german = true;
    } else if (arg == "--cache-mode") {
      line.cache_mode = true;
    } else if (arg == "--no-document") {
      line.no_document = true;
    } else if (arg == "--idle") {
      line.idle = true;
    } else if (arg == "--quit") {
      line.quit = true;
    } else if (arg == "--print") {
      line.print = true;
    } else if (arg == "--journal") {
      const std::string* file = value();
      if (!file || file->empty()) {
        error = "--journal needs a file name";
        return std::nullopt;
      }
      line.journal = *file;
    } else if (arg == "--fault") {
      const std::string* text = value();
      const auto fault = text ? ParseFault(*text) : std::nullopt;
      if (!fault) {
        error = "--fault needs MEMBER:N, with N a whole number from 1";
        return std::nullopt;
      }
      line.faults.push_back(*fault);
    } else if (arg == "--") {
      line.files.insert(line.files.end(), args.begin() + static_cast<ptrdiff_t>(i) + 1, args.end());
      break;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      line.files.push_back(arg);
    }
  }
  if (line.help || line.idle || line.quit) return line;
  if (line.no_document && !line.files.empty()) {
    error = "--no-document takes no document file";
    return std::nullopt;
  }
  if (line.no_document && line.print) {
    error = "--print needs a document file";
    return std::nullopt;
  }
  if (!line.no_document && line.files.empty()) {
    error = "no document file given (use --no-document to start without one)";
    return std::nullopt;
  }
  return line;
}

}  // namespace kelvort::standin
