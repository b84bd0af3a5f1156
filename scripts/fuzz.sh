#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# (build/fuzz) and runs each for a bounded time, starting from the seed corpus in fuzz/corpus.
# scripts/fuzz.sh [SECONDS per target, default 60]. A crash fails the script; its input is
# kept in build/fuzz/artifacts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
CC=clang CXX=clang++ bash scripts/build.sh build/fuzz -DKELVORT_FUZZ=ON -DKELVORT_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
mkdir -p build/fuzz/artifacts
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
for corpus in fuzz/corpus/*/; do
  target=$(basename "$corpus")
  # New inputs go to a working corpus in the build folder; the repository keeps its seeds.
  work=build/fuzz/corpus/$target
  mkdir -p "$work"
  echo "== fuzz_$target for ${seconds}s"
  build/fuzz/bin/fuzz_"$target" "$work" "$corpus" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix=build/fuzz/artifacts/"$target"- -print_final_stats=1 \
    2>build/fuzz/"$target".log || { tail -n 60 build/fuzz/"$target".log; exit 1; }
  grep -E "^stat::number_of_executed_units|^#[0-9]+ *DONE" build/fuzz/"$target".log || true
done
