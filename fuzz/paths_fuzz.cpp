// Fuzzes CheckPath and KickRightBackSlash. The input's lines are the program's folder, the
// path, and the values of the variables A and B that the path may reference as %A% and %B%.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/run_state.h"
#include "forms/forms.h"
#include "settings/path_helpers.h"
#include "support/test_platform.h"
#include "util/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelvort;
  std::vector<std::string> lines = Split({reinterpret_cast<const char*>(data), size}, '\n');
  lines.resize(4);
  testing::TestPlatform test;
  test.environment.SetProgramFolder(lines[0]);
  test.environment.Set("A", lines[2]);
  test.environment.Set("B", lines[3]);
  RunState state(test.platform);
  Forms forms{state};
  const std::string& path = lines[1];
  const std::string kicked = KickRightBackSlash(state, path);
  // Only one trailing backslash goes, nothing else changes.
  if (kicked.size() + (path.ends_with('\\') ? 1 : 0) != path.size() || !path.starts_with(kicked)) {
    __builtin_trap();
  }
  const std::string normal = CheckPath(state, path);
  // A network path stays one, unless its reference could not be expanded. ("\\" alone
  // loses its trailing backslash first and is no network path.)
  if (path.size() > 2 && path.starts_with("\\\\") && !state.ErrorOccurred &&
      !normal.starts_with("\\\\")) {
    __builtin_trap();
  }
  return 0;
}
