// The real program run end to end: bin/kelvort against real CNEXT.exe processes, with a
// copy of the samples, an application-data folder and a registration folder of the test's
// own. Under Wine (support/wine_launch.h) the same runs go through the Windows build's
// kelvort.exe --console and CNEXT.exe.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "support/catia_session.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace kelvort::testing {

// The short names of what a reference product holds: its parameters (for a part document's
// product, those of the part), its user properties and its formulas (the part's).
struct Holding {
  std::vector<std::string> parameters, properties, formulas;
  bool operator==(const Holding&) const = default;
};
// For test messages: "parameters [A, B] properties [...] formulas [...]".
std::ostream& operator<<(std::ostream& out, const Holding& holding);
// Every reference product that a document's structure reaches, by part number, as its
// files hold it.
std::map<std::string, Holding> Holdings(const std::filesystem::path& document);

// The definitions that the end-to-end tests write to Settings.xml: texts, an enumerated text
// with its default, an integer and a Boolean.
inline const std::vector<std::string> kSampleDefinitions = {"Revision", "Material", "WeightClass",
                                                            "Quantity", "Released"};
inline constexpr const char* kSampleParameters = R"(  <Parameters>
    <Parameter Name="Revision" Type="String" Default="A" />
    <Parameter Name="Material" Type="String" Default="" />
    <Parameter Name="WeightClass" Type="Light,Medium,Heavy" Default="Medium" />
    <Parameter Name="Quantity" Type="Integer" Default="2" />
    <Parameter Name="Released" Type="Boolean" Default="false" />
  </Parameters>
)";
// What a complete run over the samples leaves: every product and part holds every
// definition as parameter, user property and formula, added after what it held, which stays.
// A component defined inside the gearbox's document (GB-1100) gets no formulas of its own:
// the search finds those of its document's root product, which count as the document's.
std::map<std::string, Holding> Completed(std::map<std::string, Holding> holdings);

// The lines of a stand-in's journal file that hold the text.
std::vector<std::string> JournalLinesWith(const std::filesystem::path& journal,
                                          std::string_view text);

class KelvortRun {
 public:
  KelvortRun();

  // The path of a file of the copied samples.
  std::string Sample(const std::string& name) const;
  std::filesystem::path samples() const { return dir_.path() / "samples"; }

  // Starts bin/CNEXT.exe with the arguments; returns once it runs and, unless idle, serves.
  ChildProcess& StartCatia(const std::vector<std::string>& args);
  // Ends a stand-in as CATIA is closed (SIGTERM, under Wine CNEXT.exe --quit: it writes
  // the changed documents back) and answers how it ended.
  ProcessResult StopCatia(ChildProcess& catia);
  // Runs bin/kelvort to its end. It counts every CNEXT.exe of the machine, so it starts
  // once none runs but this test's own (another test's stand-in may still be ending).
  ProcessResult Run(const std::vector<std::string>& args = {});
  // Starts bin/kelvort (under Wine kelvort.exe --console, with a console) and returns while
  // it runs; env holds NAME=value entries added to its environment.
  std::unique_ptr<ChildProcess> StartRun(const std::vector<std::string>& args,
                                         const std::vector<std::string>& env = {});
  // Waits for a run that StartRun started and answers how it ended, its output as Run's.
  ProcessResult Finished(ChildProcess& started);
  // Runs bin/kelvort with its arguments against a stand-in started with the catia_args,
  // then ends the stand-in (a stand-in that does not end well fails the test).
  ProcessResult RunAgainst(const std::vector<std::string>& catia_args,
                           const std::vector<std::string>& args = {});

  // The per-user folder that the shipped settings give: APPDATA\brannick\Kelvort.
  std::filesystem::path user_folder() const;
  // A file of the per-user folder as the program names it in its messages.
  std::string UserFileAsNamed(const std::string& name) const;
  // Writes the per-user Settings.xml: the SETTINGS root holding the elements given.
  void WriteUserSettings(const std::string& elements) const;
  // Error.log in the per-user folder with the date and time of each entry left out
  // ("Main\r\n\t438 - Object doesn't ...\r\n \r\n"); empty when none was written.
  std::string ErrorLog() const;
  // The active document's tree as `CNEXT.exe --print` shows it.
  std::string Tree(const std::string& sample) const;

 private:
  int RunningCatias();

  TempDir dir_;
  CatiaSession session_;
  std::vector<ChildProcess*> catias_;
};

}  // namespace kelvort::testing
