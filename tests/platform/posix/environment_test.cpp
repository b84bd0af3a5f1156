// Paths, variables and folders as the program sees them on POSIX: drive Z: is the root.
#include "platform/posix/environment.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/posix/posix_path.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using Variables = std::map<std::string, std::string>;

TEST(PosixPathTest, DriveZIsTheRootAndNothingElseOfWindowsExists) {
  const std::pair<const char*, const char*> cases[] = {
      {"Z:\\opt\\kelvort\\bin", "/opt/kelvort/bin"},
      {"z:/opt\\mixed/seps", "/opt/mixed/seps"},
      {"Z:", "/"},
      {"Z:\\", "/"},
      {"Z:relative", "relative"},
      {"/home/u/x", "/home/u/x"},
      {"\\home\\u", "/home/u"},
      {"sub\\file.txt", "sub/file.txt"}};
  for (const auto& [path, posix] : cases) EXPECT_EQ(ToPosixPath(path), posix) << path;
  for (const char* path : {"", "C:", "c:\\Windows", "\\\\server\\share\\x", "//server/share"}) {
    EXPECT_EQ(ToPosixPath(path), std::nullopt) << path;
  }
  EXPECT_EQ(ToZForm("/home/u/.config"), "Z:\\home\\u\\.config");
  EXPECT_EQ(ToZForm("/"), "Z:\\");
  EXPECT_EQ(ToPosixPath(ToZForm("/tmp/a b/ü")), "/tmp/a b/ü");
}

TEST(PosixEnvironmentTest, AbsolutePathsComeInZFormAndAppDataFallsBackToTheConfigFolder) {
  const struct {
    Variables variables;
    const char* name;
    const char* value;
  } cases[] = {
      {{{"APPDATA", "/home/u/.config"}}, "APPDATA", "Z:\\home\\u\\.config"},
      {{{"PATH", "/usr/bin:/bin"}}, "PATH", "/usr/bin:/bin"},
      {{{"WIN", "D:\\Data"}}, "WIN", "D:\\Data"},
      {{}, "UNSET", ""},
      {{{"XDG_CONFIG_HOME", "/xdg"}, {"HOME", "/home/u"}}, "APPDATA", "Z:\\xdg"},
      {{{"XDG_CONFIG_HOME", "rel"}, {"HOME", "/home/u"}}, "AppData", "Z:\\home\\u\\.config"},
      {{{"APPDATA", ""}, {"HOME", "/home/u"}}, "APPDATA", "Z:\\home\\u\\.config"},
      {{{"HOME", "/"}}, "APPDATA", "Z:\\.config"},
      {{}, "APPDATA", ""},
  };
  for (const auto& [variables, name, value] : cases) {
    const PosixEnvironment environment(
        "Z:\\opt\\kelvort\\bin", [&](std::string_view wanted) -> std::optional<std::string> {
          const auto found = variables.find(std::string(wanted));
          return found == variables.end() ? std::nullopt : std::optional(found->second);
        });
    EXPECT_EQ(environment.Variable(name), value) << name;
    EXPECT_EQ(environment.ProgramFolder(), "Z:\\opt\\kelvort\\bin");
  }
}

TEST(PosixEnvironmentTest, TheProcessEnvironmentIsReadIgnoringCase) {
  ASSERT_NE(std::getenv("PATH"), nullptr);
  EXPECT_EQ(PosixEnvironment::ProcessVariable("pAtH"), std::getenv("PATH"));
  for (const char* unset : {"KELVORT_SURELY_UNSET", "", "PATH=x"}) {
    EXPECT_EQ(PosixEnvironment::ProcessVariable(unset), std::nullopt) << unset;
  }
  EXPECT_EQ(ExecutableFolder(nullptr), testing::ToWinPath(KELVORT_BIN_DIR));
  EXPECT_EQ(PosixEnvironment("Z:\\").CurrentFolder(),
            testing::ToWinPath(std::filesystem::current_path()));
}

}  // namespace
}  // namespace kelvort
