#!/usr/bin/env bash
# Builds Kelvort and runs its main job on the embedded default: the stand-in CATIA holds
# a copy of the sample gearbox assembly; a dry run reports what Kelvort would add, then
# Kelvort adds the parameters of the shipped Settings.xml to it, and the structure is
# shown before and after.
# With --windows the runs are the Windows build's under Wine: kelvort.exe --console against
# the Windows CNEXT.exe (a COM automation server), in a Wine prefix of the run's own.
set -euo pipefail
windows=false
[ "${1:-}" = "--windows" ] && windows=true
if [ -z "${KELVORT_SESSION_LOCK_HELD:-}" ]; then
  # The stand-in counts for session detection machine-wide: one run at a time on a machine.
  KELVORT_SESSION_LOCK_HELD=1 exec flock /tmp/kelvort-session.lock bash "$0" "$@"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh build/release
bin="$root/build/release/bin"
$windows && bash scripts/build-windows.sh build/windows

# A folder of the run's own: the documents (a copy, so that samples/ stays as it is), the
# stand-in's registration and the per-user settings.
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvort-main-job.XXXXXX")
cp -r samples "$work/documents"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" APPDATA="$work/appdata"
active="$work/documents/Gearbox.CATProduct"

if $windows; then
  winbin="$root/build/windows/bin"
  echo "Preparing a Wine prefix of the run's own..."
  source scripts/wine-prefix.sh
  fresh_wine_prefix "$work/wine-prefix"
fi
# A path as the programs of the run take it: the Windows programs in Z: form.
program_path() {
  if $windows; then echo "Z:${1//\//\\}"; else echo "$1"; fi
}

standin=""
stop_standin() {
  [ -n "$standin" ] || return 0
  if $windows; then
    timeout 60 wine "$winbin/CNEXT.exe" --quit >/dev/null 2>&1 || kill "$standin" 2>/dev/null || true
  else
    kill -TERM "$standin" 2>/dev/null || true
  fi
  wait "$standin" || echo "The stand-in CATIA did not end cleanly; see $work/CNEXT.log."
  standin=""
  if $windows; then timeout 30 wineserver -k 2>/dev/null || true; fi
}
trap stop_standin EXIT

serves() {
  if $windows; then
    grep -q "serves as CATIA.Application" "$work/CNEXT.log"
  else
    [ -S "$XDG_RUNTIME_DIR/CATIA.Application" ]
  fi
}

start_standin() {
  : >"$work/CNEXT.log"
  if $windows; then
    timeout 600 wine "$winbin/CNEXT.exe" "$(program_path "$active")" >"$work/CNEXT.log" 2>&1 &
  else
    "$bin/CNEXT.exe" "$active" 2>"$work/CNEXT.log" &
  fi
  standin=$!
  for _ in $(seq 600); do
    serves && break
    kill -0 "$standin" 2>/dev/null || { cat "$work/CNEXT.log"; exit 1; }
    sleep 0.1
  done
}

# Runs Kelvort with the options given; its exit status in $status.
run_kelvort() {
  set +e
  if $windows; then
    timeout 300 wine "$winbin/kelvort.exe" --console "$@" | tr -d '\r'
    status=${PIPESTATUS[0]}
  else
    "$bin/kelvort" "$@"
    status=$?
  fi
  set -e
}

"$bin/CNEXT.exe" --print "$active" >"$work/before.txt"

# First a dry run: what a run would add, with the documents left untouched.
echo
echo "== Kelvort's dry run"
start_standin
run_kelvort --dry-run --report "$(program_path "$work/dry-run.html")"
stop_standin
echo
echo "== The dry run's report: $work/dry-run.html"
sed -n 's#^<tr[^>]*><td>\(.*\)</td><td class="count">\([0-9]*\)</td></tr>$#  \1: \2#p' \
  "$work/dry-run.html"

echo
echo "== Kelvort's messages"
start_standin
run_kelvort --report "$(program_path "$work/report.html")"
stop_standin
"$bin/CNEXT.exe" --print "$active" >"$work/after.txt"

echo
echo "== $(basename "$active") after the run ('+' marks what Kelvort added)"
diff --old-line-format='- %L' --new-line-format='+ %L' --unchanged-line-format='  %L' \
  "$work/before.txt" "$work/after.txt" || true

# How many items of each kind were added, by the section each added line stands in.
echo
diff --old-line-format='' --new-line-format='+%L' --unchanged-line-format=' %L' \
  "$work/before.txt" "$work/after.txt" | awk '
  { line = substr($0, 2); sub(/^ +/, "", line) }
  line == "Parameters" || line == "User properties" || line == "Formulas" { section = line; next }
  /^\+/ { added[section]++ }
  END {
    printf "Added: %d parameters, %d user properties, %d formulas.\n",
      added["Parameters"], added["User properties"], added["Formulas"]
  }' || true
echo "Kelvort ended with exit status $status. Its report: $work/report.html"
echo "Documents, logs and settings: $work"
exit "$status"
