// The program's entry point.
#include <cstdio>

int main() {
  std::fputs("kelvort: the run is not available yet.\n", stderr);
  return 1;
}
