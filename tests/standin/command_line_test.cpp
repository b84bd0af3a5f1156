// The command line of CNEXT.exe.
#include <gtest/gtest.h>

#include "command_line.h"

namespace kelvort {
namespace {

using standin::ParseCommandLine;

TEST(CommandLineTest, RefusedCommandLinesSayWhy) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{}, "no document file given (use --no-document to start without one)"},
      {{"--no-document", "A.CATPart"}, "--no-document takes no document file"},
      {{"--no-document", "--print"}, "--print needs a document file"},
      {{"--journal"}, "--journal needs a file name"},
      {{"--fault", "Item:0"}, "--fault needs MEMBER:N, with N a whole number from 1"},
      {{"--verbose", "A.CATPart"}, "unknown option --verbose"},
  };
  for (const auto& [args, expected] : cases) {
    std::string error;
    EXPECT_FALSE(ParseCommandLine(args, error));
    EXPECT_EQ(error, expected);
  }
}

}  // namespace
}  // namespace kelvort
