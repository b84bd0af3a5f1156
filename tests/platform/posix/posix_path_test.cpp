#include "platform/posix/posix_path.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

TEST(PosixPathTest, DriveZIsTheRootAndNothingElseOfWindowsExists) {
  EXPECT_EQ(ToPosixPath("Z:\\opt\\kelvort\\bin"), "/opt/kelvort/bin");
  EXPECT_EQ(ToPosixPath("z:/opt\\mixed/seps"), "/opt/mixed/seps");
  EXPECT_EQ(ToPosixPath("Z:"), "/");
  EXPECT_EQ(ToPosixPath("Z:\\"), "/");
  EXPECT_EQ(ToPosixPath("Z:relative"), "relative");
  EXPECT_EQ(ToPosixPath("/home/u/x"), "/home/u/x");
  EXPECT_EQ(ToPosixPath("\\home\\u"), "/home/u");
  EXPECT_EQ(ToPosixPath("sub\\file.txt"), "sub/file.txt");

  EXPECT_EQ(ToPosixPath(""), std::nullopt);
  EXPECT_EQ(ToPosixPath("C:"), std::nullopt);
  EXPECT_EQ(ToPosixPath("c:\\Windows"), std::nullopt);
  EXPECT_EQ(ToPosixPath("\\\\server\\share\\x"), std::nullopt);
  EXPECT_EQ(ToPosixPath("//server/share"), std::nullopt);
}

TEST(PosixPathTest, AbsolutePathsEnterTheProgramInZForm) {
  EXPECT_EQ(ToZForm("/home/u/.config"), "Z:\\home\\u\\.config");
  EXPECT_EQ(ToZForm("/"), "Z:\\");
  EXPECT_EQ(ToPosixPath(ToZForm("/tmp/a b/ü")), "/tmp/a b/ü");
}

}  // namespace
}  // namespace kelvort
