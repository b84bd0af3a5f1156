#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

TEST(NativePlatformTest, StartUpFindsTheProgramFolderAndWorkingServices) {
  const auto native = CreateNativePlatform(nullptr);
  Platform& platform = native->platform();
  EXPECT_EQ(platform.environment.ProgramFolder(), testing::ToWinPath(KELVORT_BIN_DIR));
  EXPECT_TRUE(platform.files.FolderExists(platform.environment.ProgramFolder()));
  EXPECT_FALSE(platform.formats.short_date.empty());
  EXPECT_FALSE(platform.formats.long_time.empty());
  EXPECT_FALSE(platform.formats.decimal_separator.empty());
  const DateTime now = platform.clock.Now();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
}

}  // namespace
}  // namespace kelvort
