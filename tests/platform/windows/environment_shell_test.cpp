// The Windows environment, the program's folder and the help command.
#include <gtest/gtest.h>

#include "platform/windows/wide_text.h"
#include "platform/windows/windows_test_support.h"
#include "settings/path_helpers.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::WindowsTestPlatform;

TEST(WindowsEnvironmentTest, VariablesAndTheProgramFolder) {
  WindowsTestPlatform test;
  RunState state(test.platform);
  const WindowsEnvironment& environment = test.environment;
  ASSERT_TRUE(::SetEnvironmentVariableW(L"KELVORT_TEST_VALUE", L"C:\\Prüf Ordner"));
  EXPECT_EQ(environment.Variable("KELVORT_TEST_VALUE"), "C:\\Prüf Ordner");
  EXPECT_EQ(environment.Variable("kelvort_test_value"), "C:\\Prüf Ordner");
  EXPECT_EQ(environment.Variable("KELVORT_NOT_SET"), "");
  EXPECT_EQ(CheckPath(state, "%Kelvort_Test_Value%\\x"), "C:\\Prüf Ordner\\x");
  // The program's folder, and Config beside it, are what every run under Wine reads.
  EXPECT_TRUE(test.files.FolderExists(environment.CurrentFolder()));
}

TEST(WindowsShellTest, TheHelpCommandQuotesThePathAfterOneBlank) {
  EXPECT_EQ(DocumentCommandLine(L"Explorer", "C:\\Tools\\Bin\\..\\Help\\ind.html"),
            L"Explorer \"C:\\Tools\\Bin\\..\\Help\\ind.html\"");
  EXPECT_EQ(DocumentCommandLine(L"Explorer", "C:\\Program Files\\Kelvört\\ind.html"),
            L"Explorer \"C:\\Program Files\\Kelvört\\ind.html\"");
  WindowsShell missing_program(L"kelvort-no-such-program.exe");
  EXPECT_THROW(missing_program.OpenDocument("C:\\x.html"), RunError);
}

}  // namespace
}  // namespace kelvort
