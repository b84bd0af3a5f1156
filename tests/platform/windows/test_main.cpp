// The Windows tests' entry point. With --idle the executable is the stand-in for a process
// of a given name (copied as CNEXT.exe): it waits until it is ended, a minute at most.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/windows/win32.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--idle") == 0) {
    ::Sleep(60000);
    return 0;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
