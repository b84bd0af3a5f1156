// CNEXT.exe's work on every platform around its server face.
#include "stand_in_main.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "command_line.h"
#include "document_files.h"
#include "tree_text.h"
#include "util/run_error.h"

namespace kelvort::standin {
namespace {

// A UTF-8 argument as a path, on every platform.
std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

int Run(const CommandLine& line, ServerFace& face) {
  if (line.quit) return face.QuitRunning();
  if (line.idle) {
    face.Idle();
    return 0;
  }
  HostOptions options;
  options.language = line.german ? HostLanguage::kGerman : HostLanguage::kEnglish;
  options.cache_mode = line.cache_mode;
  std::vector<std::filesystem::path> files;
  for (const std::string& file : line.files) files.push_back(PathOf(file));
  const ApplicationPtr application = OpenApplication(files, std::move(options));
  if (line.print) {
    std::cout << TreeText(*application->active()) << std::flush;
    return 0;
  }
  Host& host = *application->host();
  host.journal().Keep(false);
  std::ofstream journal;
  if (!line.journal.empty()) {
    journal.open(PathOf(line.journal), std::ios::binary | std::ios::trunc);
    if (!journal) throw std::runtime_error(line.journal + ": the journal cannot be written");
    host.journal().WriteTo(&journal);
  }
  for (const auto& [member, nth] : line.faults) host.faults().Add(member, nth);
  face.Serve(application);
  return 0;
}

}  // namespace

int StandInMain(const std::vector<std::string>& args, ServerFace& face) {
  std::string error;
  const auto line = ParseCommandLine(args, error);
  if (!line) {
    std::cerr << "CNEXT.exe: " << error << "\nTry CNEXT.exe --help.\n";
    return 2;
  }
  if (line->help) {
    std::cout << UsageText();
    return 0;
  }
  try {
    return Run(*line, face);
  } catch (const RunError& failure) {
    std::cerr << "CNEXT.exe: " << failure.description() << "\n";
  } catch (const std::exception& failure) {
    std::cerr << "CNEXT.exe: " << failure.what() << "\n";
  }
  return 1;
}

}  // namespace kelvort::standin
