// CNEXT.exe, the stand-in CATIA.
#include <cstdio>

int main() {
  std::fputs("CNEXT.exe: not available yet.\n", stderr);
  return 1;
}
