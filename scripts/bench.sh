#!/usr/bin/env bash
# Builds the Release tree build/bench and runs the benchmarks (bench/*_bench.cpp).
#   scripts/bench.sh               every benchmark
#   scripts/bench.sh NAME [ARGS]   one benchmark with its arguments (run_bench 1000, say)
#   scripts/bench.sh --windows [PARTS]
#                                  the run through COM under Wine (com_run_bench of the Windows
#                                  tree build/windows, 100 parts by default)
# Exits with the first failing benchmark's status (run_bench: 1 when a target is missed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/bench"

if [ "${1:-}" = "--windows" ]; then
  shift
  windows="$root/build/windows"
  if [ -z "${KELVORT_SESSION_LOCK_HELD:-}" ]; then
    bash "$root/scripts/build-windows.sh" "$windows" >/dev/null
    # Wine's processes and the stand-in count for session detection machine-wide.
    KELVORT_SESSION_LOCK_HELD=1 exec flock /tmp/kelvort-session.lock bash "$0" --windows "$@"
  fi
  # A prefix of the benchmark's own; its wineserver is stopped when this script exits.
  source "$root/scripts/wine-prefix.sh"
  fresh_wine_prefix "$windows/wine-bench"
  echo "== com_run_bench (Wine)"
  timeout 1800 wine "$windows/bin/com_run_bench.exe" "$@"
  exit
fi

if [ $# -gt 0 ]; then
  names=("$1")
  shift
else
  names=()
  for source in "$root"/bench/*_bench.cpp; do
    names+=("$(basename "$source" .cpp)")
  done
fi

cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# CNEXT.exe too: run_bench starts it as the stand-in server.
cmake --build "$dir" --target cnext "${names[@]}"

status=0
for name in "${names[@]}"; do
  echo "== $name"
  "$dir/bin/$name" "$@" || { code=$?; [ "$status" -ne 0 ] || status=$code; }
  echo
done
exit "$status"
