#!/usr/bin/env bash
# Builds the Release tree build/bench and runs the benchmarks (bench/*_bench.cpp).
#   scripts/bench.sh               every benchmark
#   scripts/bench.sh NAME [ARGS]   one benchmark with its arguments (run_bench 1000, say)
# Exits with the first failing benchmark's status (run_bench: 1 when a target is missed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/bench"

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
