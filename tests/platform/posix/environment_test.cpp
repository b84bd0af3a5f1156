#include "platform/posix/environment.h"

#include <gtest/gtest.h>

#include <map>

#include "support/temp_dir.h"

namespace kelvort {
namespace {

PosixEnvironment WithVariables(std::map<std::string, std::string> variables) {
  return PosixEnvironment("Z:\\opt\\kelvort\\bin",
                          [variables](std::string_view name) -> std::optional<std::string> {
                            const auto found = variables.find(std::string(name));
                            if (found == variables.end()) return std::nullopt;
                            return found->second;
                          });
}

TEST(PosixEnvironmentTest, AbsolutePathValuesComeInZFormAndOthersAsTheyStand) {
  const auto environment = WithVariables(
      {{"APPDATA", "/home/u/.config"}, {"PATH", "/usr/bin:/bin"}, {"WIN", "D:\\Data"}});
  EXPECT_EQ(environment.Variable("APPDATA"), "Z:\\home\\u\\.config");
  EXPECT_EQ(environment.Variable("PATH"), "/usr/bin:/bin");
  EXPECT_EQ(environment.Variable("WIN"), "D:\\Data");
  EXPECT_EQ(environment.Variable("UNSET"), "");
  EXPECT_EQ(environment.ProgramFolder(), "Z:\\opt\\kelvort\\bin");
}

TEST(PosixEnvironmentTest, AppDataFallsBackToTheDesktopConfigurationFolder) {
  EXPECT_EQ(WithVariables({{"XDG_CONFIG_HOME", "/xdg"}, {"HOME", "/home/u"}}).Variable("APPDATA"),
            "Z:\\xdg");
  EXPECT_EQ(WithVariables({{"XDG_CONFIG_HOME", "rel"}, {"HOME", "/home/u"}}).Variable("AppData"),
            "Z:\\home\\u\\.config");
  EXPECT_EQ(WithVariables({{"APPDATA", ""}, {"HOME", "/home/u"}}).Variable("APPDATA"),
            "Z:\\home\\u\\.config");
  EXPECT_EQ(WithVariables({{"HOME", "/"}}).Variable("APPDATA"), "Z:\\.config");
  EXPECT_EQ(WithVariables({}).Variable("APPDATA"), "");
}

TEST(PosixEnvironmentTest, TheProcessEnvironmentIsReadIgnoringCase) {
  ASSERT_NE(std::getenv("PATH"), nullptr);
  EXPECT_EQ(PosixEnvironment::ProcessVariable("PATH"), std::getenv("PATH"));
  EXPECT_EQ(PosixEnvironment::ProcessVariable("pAtH"), std::getenv("PATH"));
  EXPECT_EQ(PosixEnvironment::ProcessVariable("KELVORT_SURELY_UNSET"), std::nullopt);
  EXPECT_EQ(PosixEnvironment::ProcessVariable(""), std::nullopt);
  EXPECT_EQ(PosixEnvironment::ProcessVariable("PATH=x"), std::nullopt);
}

TEST(PosixEnvironmentTest, FoldersOfTheProgramAndTheProcessAreInZForm) {
  EXPECT_EQ(ExecutableFolder(nullptr), testing::ToWinPath(KELVORT_BIN_DIR));
  EXPECT_EQ(PosixEnvironment("Z:\\").CurrentFolder(),
            testing::ToWinPath(std::filesystem::current_path()));
}

}  // namespace
}  // namespace kelvort
