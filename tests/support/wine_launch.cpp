// The end-to-end tests against the Windows build under Wine.
#include "support/wine_launch.h"

#include <algorithm>
#include <cstdlib>

#include "support/child_process.h"

namespace kelvort::testing {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// "/tmp/x/a.txt" as Wine's Z: drive names it: "Z:\tmp\x\a.txt".
std::string ZForm(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return "Z:" + path;
}

// The wine command as found on PATH (processes start from a full path).
std::string WineProgram() {
  const std::string path = Variable("PATH");
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find(':', start), path.size());
    const std::filesystem::path candidate =
        std::filesystem::path(path.substr(start, end - start)) / "wine";
    if (end > start && std::filesystem::exists(candidate)) return candidate.string();
    start = end + 1;
  }
  return "/usr/bin/wine";
}

}  // namespace

bool UnderWine() {
  return !Variable("KELVORT_WINE_TREE").empty();
}

Launch LaunchOf(const std::string& name, const std::vector<std::string>& args) {
  if (!UnderWine()) return {BuiltProgram(name), args};
  const std::string file = name.ends_with(".exe") ? name : name + ".exe";
  Launch launch{WineProgram(), {Variable("KELVORT_WINE_TREE") + "/bin/" + file}};
  for (const std::string& arg : args)
    launch.args.push_back(arg.starts_with('/') ? ZForm(arg) : arg);
  return launch;
}

namespace {

std::string WineUser() {
  return Variable("USER").empty() ? "root" : Variable("USER");
}

}  // namespace

std::filesystem::path WineAppData() {
  return std::filesystem::path(Variable("WINEPREFIX")) / "drive_c" / "users" / WineUser() /
         "AppData" / "Roaming";
}

std::string WineAppDataAsNamed() {
  return "C:\\users\\" + WineUser() + "\\AppData\\Roaming";
}

}  // namespace kelvort::testing
