// The program's entry point: one run against the running CATIA, then the process ends.
#include "app/run.h"
#include "forms/forms.h"
#include "platform/platform.h"

int main(int /*argc*/, char** argv) {
  // The program takes no arguments; any given are ignored.
  const auto native = kelvort::CreateNativePlatform(argv[0]);
  kelvort::RunState state(native->platform());
  kelvort::Forms forms(state);
  return kelvort::Main(state);
}
