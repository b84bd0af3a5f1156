#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvort {
namespace {

TEST(CommandLineTest, OnlyKnownOptionsLeadToARun) {
  const struct {
    std::vector<const char*> arguments;
    std::optional<bool> console;  // none: a usage message instead of a run
  } cases[] = {
      {{}, false},
      {{"--console"}, true},
      {{"--console", "--console"}, true},
      {{"--Console"}, std::nullopt},
      {{"-console"}, std::nullopt},
      {{"--console", "Gearbox.CATProduct"}, std::nullopt},
      {{""}, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto command_line = ParseCommandLine(c.arguments);
    ASSERT_EQ(command_line.has_value(), c.console.has_value()) << c.arguments.size();
    if (command_line) {
      EXPECT_EQ(command_line->console, *c.console);
    }
  }
}

}  // namespace
}  // namespace kelvort
