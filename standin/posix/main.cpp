// CNEXT.exe, the stand-in CATIA: opens documents, serves the automation calls of the
// running "CATIA.Application" and writes changed documents back when it ends.
#include <fstream>
#include <iostream>

#include "command_line.h"
#include "document_files.h"
#include "server.h"
#include "stop_signals.h"
#include "tree_text.h"
#include "util/run_error.h"

namespace kelvort::standin {
namespace {

int Run(const CommandLine& line) {
  if (line.idle) {
    StopSignals stop;
    stop.Wait();
    return 0;
  }
  HostOptions options;
  options.language = line.german ? HostLanguage::kGerman : HostLanguage::kEnglish;
  std::vector<std::filesystem::path> files(line.files.begin(), line.files.end());
  const ApplicationPtr application = OpenApplication(files, std::move(options));
  if (line.print) {
    std::cout << TreeText(*application->active()) << std::flush;
    return 0;
  }
  Host& host = *application->host();
  host.journal().Keep(false);
  std::ofstream journal;
  if (!line.journal.empty()) {
    journal.open(line.journal, std::ios::binary | std::ios::trunc);
    if (!journal) throw std::runtime_error(line.journal + ": the journal cannot be written");
    host.journal().WriteTo(&journal);
  }
  for (const auto& [member, nth] : line.faults) host.faults().Add(member, nth);

  StopSignals stop;
  // The registration is held until the documents are written back, so that no second
  // stand-in can start on them in the meantime.
  Server server(application);
  server.Run(stop.fd());
  SaveChangedDocuments(*application);
  return 0;
}

}  // namespace
}  // namespace kelvort::standin

int main(int argc, char** argv) {
  using namespace kelvort::standin;
  std::string error;
  const auto line = ParseCommandLine({argv + 1, argv + argc}, error);
  if (!line) {
    std::cerr << "CNEXT.exe: " << error << "\nTry CNEXT.exe --help.\n";
    return 2;
  }
  if (line->help) {
    std::cout << UsageText();
    return 0;
  }
  try {
    return Run(*line);
  } catch (const kelvort::RunError& failure) {
    std::cerr << "CNEXT.exe: " << failure.description() << "\n";
  } catch (const std::exception& failure) {
    std::cerr << "CNEXT.exe: " << failure.what() << "\n";
  }
  return 1;
}
