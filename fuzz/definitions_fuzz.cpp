// Fuzzes the definition check with the regional number grammar: the input is the settings
// file that SetParameterName reads, its first byte choosing a point or a comma as decimal
// separator. Also checks the grammar itself: a number it reads is finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/run_state.h"
#include "forms/forms.h"
#include "parameters/regional_number.h"
#include "parameters/set_parameter_name.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelvort;
  static const testing::TempDir folder;
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  testing::TestPlatform test;
  test.platform.formats.decimal_separator = data[0] % 2 == 0 ? "." : ",";
  test.platform.formats.thousands_separator = data[0] % 2 == 0 ? "," : ".";
  const auto number = ParseRegionalNumber(bytes, test.platform.formats);
  if (number && !std::isfinite(*number)) __builtin_trap();

  testing::WriteBytes(folder.path() / "Settings.xml", bytes);
  RunState state(test.platform);
  Forms forms{state};
  state.SettingsPath = folder.WinPath();
  const DefinitionResult result = SetParameterName(state);
  // A rejection shows its one message.
  if (result == DefinitionResult::kRejected && test.message_boxes.boxes.size() != 1) {
    __builtin_trap();
  }
  return 0;
}
