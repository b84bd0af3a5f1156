// The end-to-end tests against the Windows build: when KELVORT_WINE_TREE names a Windows build
// tree (scripts/test-windows-e2e.sh sets it, with the Wine prefix in WINEPREFIX), CNEXT.exe
// and kelvort are that tree's executables started through Wine instead of the Linux ones.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvort::testing {

// The program and the arguments that start an executable of the build ("CNEXT.exe",
// "kelvort") on the platform under test.
struct Launch {
  std::string program;
  std::vector<std::string> args;
};

bool UnderWine();
// Under Wine: wine with the Windows executable, absolute POSIX paths among the arguments in
// Z: form. Otherwise the Linux executable with the arguments as given.
Launch LaunchOf(const std::string& name, const std::vector<std::string>& args);
// The Windows user's application-data folder in the Wine prefix (the Linux environment's
// APPDATA does not reach Windows programs there).
std::filesystem::path WineAppData();
// The same folder as a Windows program there names it ("C:\users\<user>\AppData\Roaming").
std::string WineAppDataAsNamed();
// What a Windows CNEXT.exe writes once it serves, and once it runs with --idle (under Wine a
// process's name is the loader's, so the output tells that it runs).
inline constexpr const char* kWindowsCatiaServes = "CNEXT.exe serves as CATIA.Application.";
inline constexpr const char* kWindowsCatiaIdles = "CNEXT.exe runs without serving.";

}  // namespace kelvort::testing
