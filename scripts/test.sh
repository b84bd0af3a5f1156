#!/usr/bin/env bash
# Builds Kelvort and runs every test: the normal build with warnings as errors, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, the fuzz targets for a bounded time,
# and the Windows cross build of the core library.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh

echo "== Build and test (warnings as errors)"
bash scripts/build.sh build/release -DKELVORT_WERROR=ON
ctest --test-dir build/release --output-on-failure -j2

echo "== Build and test (AddressSanitizer + UndefinedBehaviorSanitizer)"
bash scripts/build.sh build/sanitize -DKELVORT_WERROR=ON -DKELVORT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j2

echo "== Fuzzing (libFuzzer, about a minute a target)"
bash scripts/fuzz.sh "${KELVORT_FUZZ_SECONDS:-60}"

echo "== Cross build of the core library for Windows (MinGW-w64)"
bash scripts/build.sh build/mingw -DKELVORT_WERROR=ON -DKELVORT_CORE_ONLY=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
echo "All builds and tests passed."
