#!/usr/bin/env bash
# Static analysis with the checks of .clang-tidy over every source file of src/ and standin/
# in a build's compile_commands.json: scripts/tidy.sh [BUILD_DIR] (build/release by default;
# configured here, not built). Two files at a time (KELVORT_TIDY_JOBS); a finding fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/release}")
# Configured again, so that the list of files and the generated headers are current.
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" >/dev/null
else
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
python3 - "$build/compile_commands.json" "$root" <<'PY' |
import json, sys
root = sys.argv[2].rstrip("/") + "/"
for entry in json.load(open(sys.argv[1])):
    if entry["file"].startswith((root + "src/", root + "standin/")):
        sys.stdout.write(entry["file"] + "\0")
PY
  # -Wno-restrict and other options of GCC alone are unknown to clang.
  xargs -0 -n 4 -P "${KELVORT_TIDY_JOBS:-2}" clang-tidy -p "$build" --quiet \
    --extra-arg=-Wno-unknown-warning-option
