// The command line of CNEXT.exe.
#include <gtest/gtest.h>

#include "command_line.h"

namespace kelvort {
namespace {

using standin::ParseCommandLine;

TEST(CommandLineTest, OptionsAndFiles) {
  std::string error;
  const auto line = ParseCommandLine({"--german", "--journal", "j.txt", "--fault", "Item:3",
                                      "--fault", "a:b:2", "A.CATProduct", "--", "--odd name"},
                                     error);
  ASSERT_TRUE(line) << error;
  EXPECT_TRUE(line->german);
  EXPECT_EQ(line->journal, "j.txt");
  EXPECT_EQ(line->faults, (std::vector<std::pair<std::string, int>>{{"Item", 3}, {"a:b", 2}}));
  EXPECT_EQ(line->files, (std::vector<std::string>{"A.CATProduct", "--odd name"}));
  EXPECT_FALSE(line->idle || line->print || line->no_document || line->help);

  ASSERT_TRUE(ParseCommandLine({"--no-document"}, error));
  ASSERT_TRUE(ParseCommandLine({"--idle"}, error));
  // An unknown option is refused even beside --help.
  EXPECT_FALSE(ParseCommandLine({"--help", "--bogus"}, error));
}

TEST(CommandLineTest, RefusedCommandLinesSayWhy) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{}, "no document file given (use --no-document to start without one)"},
      {{"--no-document", "A.CATPart"}, "--no-document takes no document file"},
      {{"--no-document", "--print"}, "--print needs a document file"},
      {{"--journal"}, "--journal needs a file name"},
      {{"--fault", "Item"}, "--fault needs MEMBER:N, with N a whole number from 1"},
      {{"--fault", "Item:0"}, "--fault needs MEMBER:N, with N a whole number from 1"},
      {{"--fault", ":2"}, "--fault needs MEMBER:N, with N a whole number from 1"},
      {{"--fault", "Item:2x"}, "--fault needs MEMBER:N, with N a whole number from 1"},
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
