// Error.log entries and the error boxes of reported failures.
#include "log/error_log.h"
#include "forms/forms.h"

#include <gtest/gtest.h>

#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort {
namespace {

using testing::ReadBytes;
using testing::ShownBox;
using testing::TempDir;
using testing::TestPlatform;
namespace fs = std::filesystem;

const std::string kTitle = testing::ErrorBoxTitle();
constexpr char kFirstEntry[] =
    "03/05/2024 - 14:07:09 - GetXMLNode\r\n"
    "\t-2147467259 - Automation error\r\n"
    "\tUnspecified error\r\n"
    " \r\n";

class ErrorLogTest : public ::testing::Test {
 protected:
  ErrorLogTest() { state.ErrorLogPath = dir.WinPath("logs"); }

  fs::path LogFile() const { return dir.path() / "logs" / "Error.log"; }
  void FailInGetXMLNode() { LogError(state, "GetXMLNode", RunError(errors::kHostFailure)); }

  TempDir dir;
  TestPlatform test;
  RunState state{test.platform};
  Forms forms{state};
};

// Only the first failure of an action is written, every one shows a box; a new action logs
// again in the regional forms, after the earlier entries.
TEST_F(ErrorLogTest, TheFirstFailureOfEachActionIsWrittenAndEveryOneShowsABox) {
  FailInGetXMLNode();
  test.clock.now = {2024, 12, 31, 23, 59, 58};
  LogError(state, "ReadSettings", RunError(errors::kObjectVariableNotSet));
  EXPECT_EQ(ReadBytes(LogFile()), kFirstEntry);
  EXPECT_EQ(test.message_boxes.boxes,
            (std::vector<ShownBox>{
                {kTitle, "GetXMLNode  -2147467259\r\nAutomation error\r\nUnspecified error"},
                {kTitle, "ReadSettings  91\r\nObject variable or With block variable not set"}}));
  EXPECT_TRUE(state.ErrorOccurred);

  // An entry cut short by a file size limit is taken back whole.
  state.ErrorOccurred = false;
  {
    testing::FileSizeLimit limit(fs::file_size(LogFile()) + 10);
    LogError(state, "Main", RunError(errors::kInvalidProcedureCall));
  }
  EXPECT_EQ(ReadBytes(LogFile()), kFirstEntry);
  EXPECT_TRUE(state.ErrorOccurred);

  state.ErrorOccurred = false;
  test.platform.formats.short_date = "%d.%m.%Y";
  test.platform.formats.long_time = "%I:%M:%S %p";
  test.clock.now = {2025, 1, 2, 0, 5, 6};
  LogError(state, "Main", RunError(errors::kTypeMismatch));
  state.ErrorOccurred = false;
  test.clock.now = {2025, 1, 2, 12, 0, 0};
  LogError(state, "SetLanguage", RunError(0, "Line one\nline two\rline three"));
  EXPECT_EQ(ReadBytes(LogFile()), std::string(kFirstEntry) +
                                      "02.01.2025 - 12:05:06 AM - Main\r\n"
                                      "\t13 - Type mismatch\r\n"
                                      " \r\n"
                                      "02.01.2025 - 12:00:00 PM - SetLanguage\r\n"
                                      "\t0 - Line one\r\n"
                                      "\tline two\r\n"
                                      "\tline three\r\n"
                                      " \r\n");
  // The box shows the description as it came.
  EXPECT_EQ(test.message_boxes.boxes.back().text,
            "SetLanguage  0\r\nLine one\nline two\rline three");
  EXPECT_EQ(test.message_boxes.boxes.size(), 5u);
  EXPECT_EQ(state.FailureCount, 5);
}

// A log that cannot be written, or no log folder at all, still gives the flag and one box;
// nothing is written anywhere else (the program's folder, the current folder).
TEST_F(ErrorLogTest, ALogThatCannotBeWrittenStillGivesTheFlagAndOneBox) {
  TempDir program;
  test.environment.SetProgramFolder(program.WinPath());
  testing::WriteBytes(dir.path() / "file", "keep");
  const std::vector<std::string> unwritable = {
      dir.WinPath("file\\logs"),           // a file where a folder must be
      dir.WinPath(std::string(300, 'n')),  // a folder name longer than allowed
      dir.WinPath("odd%percent"),          // a path that cannot be normalised
      "",                                  // no log folder
  };
  for (const std::string& path : unwritable) {
    SCOPED_TRACE(path);
    state.ErrorOccurred = false;
    test.message_boxes.boxes.clear();
    state.ErrorLogPath = path;
    FailInGetXMLNode();
    EXPECT_TRUE(state.ErrorOccurred);
    EXPECT_EQ(test.message_boxes.boxes,
              (std::vector<ShownBox>{
                  {kTitle, "GetXMLNode  -2147467259\r\nAutomation error\r\nUnspecified error"}}));
  }
  EXPECT_EQ(state.FailureCount, static_cast<int>(unwritable.size()));
  EXPECT_EQ(testing::FilesBelow(dir.path()),
            (std::map<std::string, std::string>{{"file", "keep"}}));
  EXPECT_TRUE(fs::is_empty(program.path()));
  EXPECT_FALSE(fs::exists("Error.log"));
}

}  // namespace
}  // namespace kelvort
