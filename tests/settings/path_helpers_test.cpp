#include "settings/path_helpers.h"
#include "forms/forms.h"

#include <gtest/gtest.h>

#include "support/fake_dispatch.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort {
namespace {

using testing::FakeDispatch;
using testing::TempDir;
using testing::TestPlatform;
namespace fs = std::filesystem;

class PathHelpersTest : public ::testing::Test {
 protected:
  PathHelpersTest() { test.environment.SetProgramFolder("C:\\Prog\\Bin"); }

  // The names of the procedures that reported a failure, in order.
  std::vector<std::string> Reported() const {
    std::vector<std::string> names;
    for (const auto& box : test.message_boxes.boxes)
      names.push_back(box.text.substr(0, box.text.find("  ")));
    return names;
  }

  // An application whose system service answers Environ from the given table.
  std::shared_ptr<FakeDispatch> HostWithEnvironment(std::map<std::string, std::string> values) {
    auto service = std::make_shared<FakeDispatch>("SystemService");
    service->On(InvokeKind::kMethod, "Environ", [values](std::span<const Variant> args) {
      const auto found = values.find(args[0].ToText());
      return Variant(found == values.end() ? std::string() : found->second);
    });
    auto application = std::make_shared<FakeDispatch>("Application");
    application->Returns("SystemService", Variant(DispatchPtr(service)));
    return application;
  }

  TempDir dir;
  TestPlatform test;
  RunState state{test.platform};
  Forms forms{state};
};

TEST_F(PathHelpersTest, CheckPathResolvesProgramRelativePathsAndFoldsParents) {
  EXPECT_EQ(CheckPath(state, "\\..\\Config"), "C:\\Prog\\Config");
  EXPECT_EQ(CheckPath(state, "\\\\server\\share\\dir\\..\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(CheckPath(state, "C:\\a\\b\\"), "C:\\a\\b");
  EXPECT_EQ(CheckPath(state, "C:\\a\\b\\\\"), "C:\\a\\b\\");
  EXPECT_EQ(CheckPath(state, "a\\b\\..\\..\\c"), "c");
  EXPECT_EQ(CheckPath(state, "C:\\a\\b\\.."), "C:\\a\\");
  EXPECT_EQ(CheckPath(state, "x\\.."), "");
  EXPECT_EQ(CheckPath(state, "C:\\..\\x"), "x");
  EXPECT_EQ(CheckPath(state, "relative\\dir"), "relative\\dir");
  // An element that merely begins with ".." is no parent reference, and folding ends.
  EXPECT_EQ(CheckPath(state, "C:\\a\\..b"), "C:\\a\\..b");
  EXPECT_EQ(CheckPath(state, "C:\\a\\..b\\c\\..\\d"), "C:\\a\\..b\\d");
  EXPECT_EQ(KickRightBackSlash(state, "C:\\a\\\\"), "C:\\a\\");
  EXPECT_EQ(KickRightBackSlash(state, "C:\\a"), "C:\\a");
  EXPECT_TRUE(test.message_boxes.boxes.empty());

  // A program in a drive root brings its backslash; the result has one, not two.
  test.environment.SetProgramFolder("Z:\\");
  EXPECT_EQ(CheckPath(state, "\\Config"), "Z:\\Config");
}

TEST_F(PathHelpersTest, CheckPathExpandsReferencesAndKeepsUnknownOnesAsWritten) {
  test.environment.Set("APPDATA", "/home/u/.config");
  test.environment.Set("KELVORT_DRIVE", "D:");
  test.environment.Unset("KELVORT_NOWHERE");
  EXPECT_EQ(CheckPath(state, "%APPDATA%\\x"), "Z:\\home\\u\\.config\\x");
  EXPECT_EQ(CheckPath(state, "%KELVORT_DRIVE%\\%KELVORT_NOWHERE%\\y"), "D:\\%KELVORT_NOWHERE%\\y");
  EXPECT_EQ(CheckPath(state, "\\\\srv\\%KELVORT_DRIVE%\\..\\z"), "\\\\srv\\z");
  EXPECT_TRUE(test.message_boxes.boxes.empty());
}

TEST_F(PathHelpersTest, CheckPathReportsAnUnpairedPercentAndKeepsTheTextBeforeIt) {
  test.environment.Set("KELVORT_DRIVE", "D:");
  EXPECT_EQ(CheckPath(state, "C:\\a%KELVORT_DRIVE%\\b%c"), "C:\\a");
  EXPECT_EQ(Reported(), std::vector<std::string>{"CheckPath"});
  EXPECT_EQ(state.FailureCount, 1);

  state.ErrorOccurred = false;
  EXPECT_EQ(CheckPath(state, "\\\\server\\sh%are"), "server\\sh");
  EXPECT_EQ(state.FailureCount, 2);
}

TEST_F(PathHelpersTest, CheckPathAsksTheAttachedHostForVariablesTheProcessLacks) {
  test.environment.Unset("KELVORT_HOST_ONLY");
  test.environment.Unset("KELVORT_NOWHERE");
  test.environment.Set("KELVORT_BOTH", "process");
  auto host = HostWithEnvironment({{"KELVORT_HOST_ONLY", "E:\\cad"}, {"KELVORT_BOTH", "host"}});
  state.CatiaApp = host;

  EXPECT_EQ(CheckPath(state, "%KELVORT_HOST_ONLY%\\x"), "E:\\cad\\x");
  EXPECT_EQ(CheckPath(state, "%KELVORT_BOTH%\\%KELVORT_NOWHERE%"), "process\\%KELVORT_NOWHERE%");
  // The host is asked only for what the process does not know.
  ASSERT_EQ(host->calls.size(), 2u);
  EXPECT_EQ(host->calls[0].first, "SystemService");
  EXPECT_TRUE(test.message_boxes.boxes.empty());

  // A host that fails the lookup is reported under CheckPath.
  state.CatiaApp = std::make_shared<FakeDispatch>("Application");
  EXPECT_EQ(CheckPath(state, "C:\\%KELVORT_NOWHERE%\\x"), "C:\\%KELVORT_NOWHERE%\\x");
  EXPECT_EQ(Reported(), std::vector<std::string>{"CheckPath"});
}

TEST_F(PathHelpersTest, EveryHelperDoesNothingWhileAnErrorIsFlagged) {
  state.ErrorOccurred = true;
  EXPECT_EQ(CheckPath(state, "C:\\a"), "");
  EXPECT_EQ(KickRightBackSlash(state, "C:\\a\\"), "");
  EXPECT_FALSE(FolderExists(state, dir.WinPath(), false));
  EXPECT_FALSE(FileExists(state, dir.WinPath("f.txt"), true));
  EXPECT_FALSE(fs::exists(dir.path() / "f.txt"));
  EXPECT_TRUE(test.message_boxes.boxes.empty());
}

TEST_F(PathHelpersTest, FolderExistsTestsAndCreatesEveryLevelFromTheTop) {
  EXPECT_FALSE(FolderExists(state, "", false));
  EXPECT_FALSE(FolderExists(state, "", true));
  EXPECT_TRUE(FolderExists(state, "Z:\\", false));
  EXPECT_TRUE(FolderExists(state, dir.WinPath(), false));

  // Missing, not asked to create: false, and nothing is made.
  EXPECT_FALSE(FolderExists(state, dir.WinPath("a"), false));
  EXPECT_FALSE(fs::exists(dir.path() / "a"));

  EXPECT_TRUE(FolderExists(state, dir.WinPath("a\\b\\c\\"), true));
  EXPECT_TRUE(fs::is_directory(dir.path() / "a" / "b" / "c"));
  // A POSIX absolute path has its levels made too.
  EXPECT_TRUE(FolderExists(state, (dir.path() / "p" / "q").string(), true));
  EXPECT_TRUE(fs::is_directory(dir.path() / "p" / "q"));
  EXPECT_TRUE(test.message_boxes.boxes.empty());
}

TEST_F(PathHelpersTest, FolderExistsReportsWhatCannotBeCreated) {
  testing::WriteBytes(dir.path() / "file", "keep");
  // Each path with the procedure that reports it.
  const std::vector<std::pair<std::string, std::string>> impossible = {
      {dir.WinPath("file\\sub"), "FolderExists"},               // a file where a folder must be
      {dir.WinPath(std::string(300, 'n')), "FolderExists"},     // a name longer than allowed
      {"C:\\kelvort-test-folder", "FolderExists"},              // a drive that does not exist here
      {"\\\\kelvort-test-server\\share\\dir", "FolderExists"},  // a network path on Linux
      {"\\\\kelvort-test-server", "FolderExists"},              // a network path without a share
      {dir.WinPath("bad%name"), "CheckPath"},                   // an unpaired "%"
  };
  for (const auto& [path, procedure] : impossible) {
    SCOPED_TRACE(path);
    state.ErrorOccurred = false;
    test.message_boxes.boxes.clear();
    EXPECT_FALSE(FolderExists(state, path, true));
    EXPECT_TRUE(state.ErrorOccurred);
    EXPECT_EQ(Reported(), std::vector<std::string>{procedure});
  }
  EXPECT_EQ(state.FailureCount, static_cast<int>(impossible.size()));
  EXPECT_EQ(testing::ReadBytes(dir.path() / "file"), "keep");
  // Nothing is made relative to the current folder, nor from the text before the "%".
  EXPECT_FALSE(fs::exists("C:"));
  EXPECT_FALSE(fs::exists("kelvort-test-server"));
  EXPECT_FALSE(fs::exists("/kelvort-test-server"));
  EXPECT_FALSE(fs::exists(dir.path() / "bad"));
}

TEST_F(PathHelpersTest, FileExistsCreatesTheFolderChainAndAnEmptyFileOnce) {
  const std::string file = dir.WinPath("new1\\new2\\f.txt");
  EXPECT_FALSE(FileExists(state, file, false));
  EXPECT_FALSE(fs::exists(dir.path() / "new1"));

  EXPECT_TRUE(FileExists(state, file, true));
  EXPECT_EQ(testing::ReadBytes(dir.path() / "new1" / "new2" / "f.txt"), "");
  testing::WriteBytes(dir.path() / "new1" / "new2" / "f.txt", "content");
  EXPECT_TRUE(FileExists(state, file, true));
  EXPECT_TRUE(FileExists(state, file, false));
  EXPECT_EQ(testing::ReadBytes(dir.path() / "new1" / "new2" / "f.txt"), "content");
  // A folder is not a file.
  EXPECT_FALSE(FileExists(state, dir.WinPath("new1"), false));
  EXPECT_TRUE(test.message_boxes.boxes.empty());
}

TEST_F(PathHelpersTest, FileExistsOfABareNameIsFalseEvenInTheCurrentFolder) {
  const std::string name =
      "kelvort-bare-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
  testing::WriteBytes(name, "");
  EXPECT_FALSE(FileExists(state, name, false));
  EXPECT_FALSE(FileExists(state, name, true));
  fs::remove(name);
  EXPECT_TRUE(test.message_boxes.boxes.empty());
}

TEST_F(PathHelpersTest, FileExistsReportsUnderTheProcedureThatFailed) {
  testing::WriteBytes(dir.path() / "file", "keep");
  EXPECT_FALSE(FileExists(state, dir.WinPath("file\\f.txt"), true));
  EXPECT_EQ(Reported(), std::vector<std::string>{"FolderExists"});

  state.ErrorOccurred = false;
  fs::create_directory(dir.path() / "folder");
  EXPECT_FALSE(FileExists(state, dir.WinPath("folder\\"), true));
  EXPECT_FALSE(FileExists(state, dir.WinPath(std::string(300, 'f')), true));
  EXPECT_EQ(Reported(), (std::vector<std::string>{"FolderExists", "FileExists"}));
  EXPECT_EQ(testing::ReadBytes(dir.path() / "file"), "keep");
}

}  // namespace
}  // namespace kelvort
