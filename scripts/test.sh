#!/usr/bin/env bash
# Builds Kelvort and runs its tests, stage by stage: scripts/test.sh [STAGE...]
# Without arguments every stage runs, in the order below; with stage names only those run, in
# the order given. scripts/test.sh --help lists the stages.
# Tests that start CNEXT.exe or kelvort change what session detection sees machine-wide: every
# test run takes the machine's session lock, so that two runs on one machine never meet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Every stage: a name, what it does (for --help), and the function run_<name with _ for ->.
stage_names=()
stage_texts=()
stage() {
  stage_names+=("$1")
  stage_texts+=("$2")
}

# Builds shared by several stages are made once per call.
built=" "
build_once() {
  local dir=$1
  case "$built" in *" $dir "*) return ;; esac
  case "$dir" in
    build/release) bash scripts/build.sh build/release -DKELVORT_WERROR=ON ;;
    build/windows) bash scripts/build-windows.sh build/windows -DKELVORT_WERROR=ON ;;
  esac
  built+="$dir "
}

stage format "the C++ sources against .clang-format (clang-format --dry-run --Werror)"
run_format() {
  git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
}

stage release "the normal build with warnings as errors, and its tests"
run_release() {
  build_once build/release
  flock /tmp/kelvort-session.lock ctest --test-dir build/release --output-on-failure -j2
}

stage tidy "static analysis of the Linux build with .clang-tidy (scripts/tidy.sh)"
run_tidy() {
  bash scripts/tidy.sh build/release
}

stage sanitize "the AddressSanitizer + UndefinedBehaviorSanitizer build, and its tests"
run_sanitize() {
  bash scripts/build.sh build/sanitize -DKELVORT_WERROR=ON -DKELVORT_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=Debug
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    flock /tmp/kelvort-session.lock ctest --test-dir build/sanitize --output-on-failure -j2
}

stage fuzz "the libFuzzer targets, KELVORT_FUZZ_SECONDS (60) each"
run_fuzz() {
  bash scripts/fuzz.sh "${KELVORT_FUZZ_SECONDS:-60}"
}

stage windows "the Windows build (MinGW-w64) and its tests under Wine"
run_windows() {
  build_once build/windows
  bash scripts/test-windows.sh build/windows
}

stage windows-gui "the Windows build's windows under Wine on a virtual display"
run_windows_gui() {
  build_once build/windows
  bash scripts/test-windows-gui.sh build/windows
}

stage windows-package "the Windows package: the zip and the installer"
run_windows_package() {
  build_once build/windows
  bash scripts/package-windows.sh build/windows
}

stage windows-e2e "the end-to-end tests and the installer under Wine"
run_windows_e2e() {
  build_once build/windows
  build_once build/release
  bash scripts/test-windows-e2e.sh build/windows build/release
}

usage() {
  echo "Usage: bash scripts/test.sh [STAGE...]   (no stage: all of them, in this order)"
  echo "Stages:"
  local i
  for i in "${!stage_names[@]}"; do
    printf '  %-16s %s\n' "${stage_names[$i]}" "${stage_texts[$i]}"
  done
}

case "${1:-}" in
  -h | --help)
    usage
    exit 0
    ;;
esac
chosen=("$@")
[ ${#chosen[@]} -gt 0 ] || chosen=("${stage_names[@]}")
for name in "${chosen[@]}"; do
  if ! printf '%s\n' "${stage_names[@]}" | grep -qxF -- "$name"; then
    echo "No stage named '$name'." >&2
    usage >&2
    exit 2
  fi
done

bash scripts/install-deps.sh
for name in "${chosen[@]}"; do
  for i in "${!stage_names[@]}"; do
    [ "${stage_names[$i]}" = "$name" ] && echo "== $name: ${stage_texts[$i]}"
  done
  start=$SECONDS
  "run_${name//-/_}"
  echo "== $name passed in $((SECONDS - start)) s"
done
echo "Passed: ${chosen[*]}."
