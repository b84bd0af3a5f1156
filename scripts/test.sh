#!/usr/bin/env bash
# Builds Kelvort and runs every test: the normal build with warnings as errors, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, the fuzz targets for a bounded time,
# and the Windows build (MinGW-w64 cross build) with its tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
# Tests that start CNEXT.exe or kelvort change what session detection sees machine-wide: every
# test run takes the machine's session lock, so that two runs on one machine never meet.

echo "== Build and test (warnings as errors)"
bash scripts/build.sh build/release -DKELVORT_WERROR=ON
flock /tmp/kelvort-session.lock ctest --test-dir build/release --output-on-failure -j2

echo "== Build and test (AddressSanitizer + UndefinedBehaviorSanitizer)"
bash scripts/build.sh build/sanitize -DKELVORT_WERROR=ON -DKELVORT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  flock /tmp/kelvort-session.lock ctest --test-dir build/sanitize --output-on-failure -j2

echo "== Fuzzing (libFuzzer, about a minute a target)"
bash scripts/fuzz.sh "${KELVORT_FUZZ_SECONDS:-60}"

echo "== Windows build (MinGW-w64) and its tests under Wine"
bash scripts/build-windows.sh build/windows -DKELVORT_WERROR=ON
bash scripts/test-windows.sh build/windows
bash scripts/test-windows-gui.sh build/windows
bash scripts/package-windows.sh build/windows
bash scripts/test-windows-e2e.sh build/windows build/release
echo "All builds and tests passed."
