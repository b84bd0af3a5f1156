#include "log/error_log.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort {
namespace {

using testing::ShownBox;
using testing::TempDir;
using testing::TestPlatform;

constexpr char kTitle[] = "Error - Version: 1.000.04";

class ErrorLogTest : public ::testing::Test {
 protected:
  ErrorLogTest() { state.ErrorLogPath = dir.WinPath("logs"); }

  std::string Log() const { return testing::ReadBytes(dir.path() / "logs" / "Error.log"); }

  TempDir dir;
  TestPlatform test;
  RunState state{test.platform};
};

TEST_F(ErrorLogTest, FirstFailureWritesThreeLinesAndEveryFailureShowsABox) {
  LogError(state, "GetXMLNode", RunError(-2147467259, "Automation error\r\nUnspecified error"));
  test.clock.now = {2024, 12, 31, 23, 59, 58};
  LogError(state, "ReadSettings", RunError(91));

  EXPECT_EQ(Log(),
            "03/05/2024 - 14:07:09 - GetXMLNode\r\n"
            "\t-2147467259 - Automation error\r\n"
            "\tUnspecified error\r\n"
            " \r\n");
  EXPECT_EQ(test.message_boxes.boxes,
            (std::vector<ShownBox>{
                {kTitle, "GetXMLNode  -2147467259\r\nAutomation error\r\nUnspecified error"},
                {kTitle, "ReadSettings  91\r\nObject variable or With block variable not set"}}));
  EXPECT_TRUE(state.ErrorOccurred);
  EXPECT_EQ(state.FailureCount, 2);
}

}  // namespace
}  // namespace kelvort
