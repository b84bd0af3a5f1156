#include "settings/path_helpers.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort {
namespace {

using testing::TempDir;
using testing::TestPlatform;

class PathHelpersTest : public ::testing::Test {
 protected:
  PathHelpersTest() { test.environment.SetProgramFolder("C:\\Prog\\Bin"); }

  TempDir dir;
  TestPlatform test;
  RunState state{test.platform};
};

TEST_F(PathHelpersTest, CheckPathResolvesProgramRelativePathsAndFoldsParents) {
  EXPECT_EQ(CheckPath(state, "\\..\\Config"), "C:\\Prog\\Config");
  EXPECT_EQ(CheckPath(state, "\\\\server\\share\\dir\\..\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(CheckPath(state, "C:\\a\\b\\"), "C:\\a\\b");
  EXPECT_EQ(CheckPath(state, "a\\b\\..\\..\\c"), "c");
  EXPECT_EQ(CheckPath(state, "C:\\a\\b\\.."), "C:\\a\\");
  EXPECT_EQ(CheckPath(state, "C:\\a\\..b"), "C:\\a\\..b");
  EXPECT_FALSE(state.ErrorOccurred);
}

TEST_F(PathHelpersTest, FileExistsCreatesTheFolderChainAndAnEmptyFile) {
  const std::string file = dir.WinPath("new1\\new2\\f.txt");
  EXPECT_TRUE(FileExists(state, file, true));
  EXPECT_EQ(testing::ReadBytes(dir.path() / "new1" / "new2" / "f.txt"), "");
  EXPECT_FALSE(state.ErrorOccurred);
}

}  // namespace
}  // namespace kelvort
