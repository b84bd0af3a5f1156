// The real program run end to end against real CNEXT.exe processes.
#include "support/kelvort_run.h"

#include <unistd.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "document_files.h"
#include "parameters.h"
#include "part.h"
#include "platform/posix/process_names.h"
#include "product.h"
#include "relations.h"
#include "support/standin_documents.h"
#include "support/wine_launch.h"

namespace kelvort::testing {
namespace {

namespace fs = std::filesystem;

// How long a run waits for stand-ins of other tests to end before it starts anyway.
constexpr auto kForeignCatiaPatience = std::chrono::seconds(60);

// The stand-ins of this user that run, wherever they came from.
int OwnCatias() {
  const std::vector<pid_t> catias = ProcessesNamed("CNEXT.exe");
  return static_cast<int>(std::count_if(catias.begin(), catias.end(),
                                        [](pid_t id) { return RunsAsUser(id, ::getuid()); }));
}

std::vector<std::string> ShortNames(const standin::Parameters& collection) {
  std::vector<std::string> names;
  for (const auto& parameter : collection.items()) names.push_back(parameter->short_name());
  return names;
}

std::vector<std::string> Names(const standin::Relations& relations) {
  std::vector<std::string> names;
  for (const auto& formula : relations.items()) names.push_back(formula->Name());
  return names;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Holding& holding) {
  const auto list = [&](const char* label, const std::vector<std::string>& names) {
    out << label << " [";
    for (size_t i = 0; i < names.size(); ++i) out << (i ? ", " : "") << names[i];
    out << "]";
  };
  list("parameters", holding.parameters);
  list(" properties", holding.properties);
  list(" formulas", holding.formulas);
  return out;
}

std::map<std::string, Holding> Holdings(const std::filesystem::path& document) {
  std::map<std::string, Holding> holdings;
  const auto application = standin::OpenApplication({document});
  for (const auto& opened : application->documents()) {
    const auto& part = opened->part();
    std::vector<std::shared_ptr<standin::Product>> products = opened->components();
    if (opened->product()) products.push_back(opened->product());
    for (const auto& product : products) {
      holdings[product->part_number()] = {
          ShortNames(part ? *part->parameters() : *product->parameters()),
          ShortNames(*product->properties()),
          Names(part ? *part->relations() : *product->relations())};
    }
  }
  return holdings;
}

std::vector<std::string> JournalLinesWith(const std::filesystem::path& journal,
                                          std::string_view text) {
  std::istringstream lines(ReadBytes(journal));
  std::vector<std::string> found;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(text) != std::string::npos) found.push_back(line);
  }
  return found;
}

std::map<std::string, Holding> Completed(std::map<std::string, Holding> holdings) {
  // The names held before, followed by those of the definitions they lacked, in order.
  const auto with_missing = [](std::vector<std::string>& names, const std::string& prefix) {
    for (const std::string& definition : kSampleDefinitions) {
      if (std::find(names.begin(), names.end(), prefix + definition) == names.end()) {
        names.push_back(prefix + definition);
      }
    }
  };
  for (auto& [part_number, holding] : holdings) {
    with_missing(holding.parameters, "");
    with_missing(holding.properties, "");
    if (part_number != "GB-1100") with_missing(holding.formulas, "Form_");
  }
  return holdings;
}

KelvortRun::KelvortRun() {
  CopySamples(dir_.path());
  // The Wine prefix's user folder serves every test of the run: each starts without it.
  if (UnderWine()) fs::remove_all(user_folder());
}

std::string KelvortRun::Sample(const std::string& name) const {
  return (samples() / name).string();
}

ChildProcess& KelvortRun::StartCatia(const std::vector<std::string>& args) {
  ChildProcess& catia = session_.StartCatia(args);
  catias_.push_back(&catia);
  return catia;
}

ProcessResult KelvortRun::StopCatia(ChildProcess& catia) {
  if (UnderWine()) {
    const Launch quit = LaunchOf("CNEXT.exe", {"--quit"});
    const ProcessResult asked = RunProcess(quit.program, quit.args, session_.Env());
    if (asked.status != 0) ADD_FAILURE() << "CNEXT.exe --quit ended with " << asked.status;
  } else {
    catia.Signal(SIGTERM);
  }
  return catia.Wait();
}

int KelvortRun::RunningCatias() {
  return static_cast<int>(std::count_if(catias_.begin(), catias_.end(),
                                        [](ChildProcess* catia) { return !catia->Ended(); }));
}

std::unique_ptr<ChildProcess> KelvortRun::StartRun(const std::vector<std::string>& args,
                                                   const std::vector<std::string>& env) {
  const auto deadline = std::chrono::steady_clock::now() + kForeignCatiaPatience;
  while (OwnCatias() > RunningCatias() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::vector<std::string> run_env = session_.Env();
  run_env.insert(run_env.end(), env.begin(), env.end());
  if (!UnderWine()) return std::make_unique<ChildProcess>(BuiltProgram("kelvort"), args, run_env);
  std::vector<std::string> console_args{"--console"};
  console_args.insert(console_args.end(), args.begin(), args.end());
  const Launch kelvort = LaunchOf("kelvort", console_args);
  // A terminal gives kelvort.exe a console, where Ctrl+C reaches it as on Windows.
  return std::make_unique<ChildProcess>(kelvort.program, kelvort.args, run_env, Input::kTerminal);
}

ProcessResult KelvortRun::Run(const std::vector<std::string>& args) {
  return Finished(*StartRun(args));
}

ProcessResult KelvortRun::Finished(ChildProcess& started) {
  ProcessResult result = started.Wait();
  if (!UnderWine()) return result;
  // The Windows console's line ends, and the progress that --console adds on standard error
  // (where the Linux program started without it writes none).
  std::erase(result.out, '\r');
  std::erase(result.err, '\r');
  std::string err;
  for (size_t start = 0; start < result.err.size();) {
    const size_t end = std::min(result.err.find('\n', start), result.err.size() - 1) + 1;
    const std::string_view line(result.err.data() + start, end - start);
    if (!line.starts_with("Kelvort: ")) err += line;
    start = end;
  }
  result.err = err;
  return result;
}

ProcessResult KelvortRun::RunAgainst(const std::vector<std::string>& catia_args,
                                     const std::vector<std::string>& args) {
  ChildProcess& catia = StartCatia(catia_args);
  ProcessResult result = Run(args);
  const ProcessResult stopped = StopCatia(catia);
  if (stopped.status != 0)
    ADD_FAILURE() << "CNEXT.exe ended with " << stopped.status << ": " << stopped.err;
  return result;
}

fs::path KelvortRun::user_folder() const {
  return (UnderWine() ? WineAppData() : session_.app_data_folder()) / "brannick" / "Kelvort";
}

std::string KelvortRun::UserFileAsNamed(const std::string& name) const {
  if (UnderWine()) return WineAppDataAsNamed() + "\\brannick\\Kelvort\\" + name;
  return ToWinPath(user_folder() / name);
}

void KelvortRun::WriteUserSettings(const std::string& elements) const {
  fs::create_directories(user_folder());
  WriteBytes(user_folder() / "Settings.xml",
             "<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"yes\"?>\n<SETTINGS>\n" +
                 elements + "</SETTINGS>\n");
}

std::string KelvortRun::ErrorLog() const {
  const fs::path log = user_folder() / "Error.log";
  if (!fs::exists(log)) return {};
  // An entry's first line is "<date> - <time> - <procedure>"; the others are indented.
  std::string entries;
  std::istringstream lines(ReadBytes(log));
  for (std::string line; std::getline(lines, line);) {
    size_t start = 0;
    if (!line.empty() && line[0] != '\t' && line[0] != ' ') {
      for (int separator = 0; separator < 2 && start != std::string::npos; ++separator) {
        start = line.find(" - ", start);
        if (start != std::string::npos) start += 3;
      }
    }
    entries += start == std::string::npos ? line : line.substr(start);
    if (!lines.eof()) entries += '\n';
  }
  return entries;
}

std::string KelvortRun::Tree(const std::string& sample) const {
  const ProcessResult printed =
      RunProcess(BuiltProgram("CNEXT.exe"), {"--print", Sample(sample)}, session_.Env());
  return printed.status == 0 ? printed.out : "CNEXT.exe --print failed: " + printed.err;
}

}  // namespace kelvort::testing
