// A writer killed (SIGKILL) at random points while it writes Settings.xml, appends to
// Error.log and saves a stand-in document: each file always holds an old or a new content
// as a whole (Error.log whole entries only), never a mixture or nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include "core/run_state.h"
#include "document.h"
#include "document_files.h"
#include "forms/forms.h"
#include "log/error_log.h"
#include "part.h"
#include "settings/xml_document.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::ReadBytes;

constexpr int kParameters = 3000;  // makes one save of Settings.xml take a while

class CrashSafeWritesTest : public ::testing::Test {
 protected:
  CrashSafeWritesTest() {
    testing::CopySamples(dir_.path());
    state_.ErrorLogPath = dir_.WinPath();
    WriteSettings(0);
  }

  std::string SettingsPath() const { return dir_.WinPath("Settings.xml"); }
  std::filesystem::path DocumentFile() const { return dir_.path() / "samples" / "Cover.CATPart"; }

  // Settings.xml of the given version: a root that names it and many definitions.
  void WriteSettings(int version) {
    XmlDocument settings = XmlDocument::New();
    XmlNode root = settings.AppendElement("SETTINGS");
    root.SetAttribute("Version", std::to_string(version));
    XmlNode parameters = root.AppendElement("Parameters");
    for (int i = 0; i < kParameters; ++i) {
      parameters.AppendElement("Parameter").SetAttribute("Name", "P" + std::to_string(i));
    }
    settings.Save(test_.files, SettingsPath());
  }

  // Writes the three files over and over until it is killed.
  [[noreturn]] void Writer() {
    const auto application = standin::OpenApplication({DocumentFile()});
    const DispatchPtr parameters = application->active()->part()->parameters();
    for (int version = 1;; ++version) {
      WriteSettings(version);
      state_.ErrorOccurred = false;
      LogError(state_, "Fill_Part", RunError(errors::kOverflow));
      // A name no earlier writer used.
      parameters->Call("CreateString",
                       {"Added" + std::to_string(::getpid()) + "_" + std::to_string(version), "x"});
      standin::SaveChangedDocuments(*application);
    }
  }

  // What the files hold is whole: a complete Settings.xml, whole log entries, a document
  // that opens.
  void ExpectWhole(const std::string& entry) {
    const XmlDocument settings = XmlDocument::Load(test_.files, SettingsPath());
    ASSERT_NE(settings.Url(), "");
    EXPECT_EQ(settings.SelectNodes("SETTINGS/Parameters/Parameter").size(),
              static_cast<size_t>(kParameters));
    const std::string log = ReadBytes(dir_.path() / "Error.log");
    ASSERT_FALSE(entry.empty());
    EXPECT_EQ(log.size() % entry.size(), 0u) << log;
    for (size_t at = 0; at < log.size(); at += entry.size()) {
      ASSERT_EQ(log.compare(at, entry.size(), entry), 0) << log;
    }
    EXPECT_NO_THROW(standin::OpenApplication({DocumentFile()}));
  }

  testing::TempDir dir_;
  testing::TestPlatform test_;
  RunState state_{test_.platform};
  Forms forms_{state_};
};

TEST_F(CrashSafeWritesTest, AKilledWriterLeavesEveryFileWhole) {
  // The entry that every append writes, as one append alone writes it.
  LogError(state_, "Fill_Part", RunError(errors::kOverflow));
  const std::string entry = ReadBytes(dir_.path() / "Error.log");

  std::mt19937 random(20240613);
  std::uniform_int_distribution<int> delay_us(0, 40000);
  int killed_while_running = 0;
  for (int round = 0; round < 40; ++round) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      try {
        Writer();
      } catch (...) {
        ::_exit(1);  // a writer that fails ends without a kill, and the count below fails
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    ::kill(writer, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    killed_while_running += WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL ? 1 : 0;
    ExpectWhole(entry);
  }
  EXPECT_EQ(killed_while_running, 40);
}

}  // namespace
}  // namespace kelvort
