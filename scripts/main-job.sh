#!/usr/bin/env bash
# Builds Kelvort and runs its main job on the embedded default: the stand-in CATIA holds
# a copy of the sample gearbox assembly; a dry run reports what Kelvort would add, then
# Kelvort adds the parameters of the shipped Settings.xml to it, and the structure is
# shown before and after.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh build/release
bin="$root/build/release/bin"

# A folder of the run's own: the documents (a copy, so that samples/ stays as it is), the
# stand-in's registration and the per-user settings.
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvort-main-job.XXXXXX")
cp -r samples "$work/documents"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" APPDATA="$work/appdata"
active="$work/documents/Gearbox.CATProduct"

standin=""
stop_standin() {
  [ -n "$standin" ] || return 0
  kill -TERM "$standin" 2>/dev/null || true
  wait "$standin" || echo "The stand-in CATIA did not end cleanly; see $work/CNEXT.log."
  standin=""
}
trap stop_standin EXIT

start_standin() {
  "$bin/CNEXT.exe" "$active" 2>>"$work/CNEXT.log" &
  standin=$!
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/CATIA.Application" ] && break
    kill -0 "$standin" 2>/dev/null || { cat "$work/CNEXT.log"; exit 1; }
    sleep 0.1
  done
}

"$bin/CNEXT.exe" --print "$active" >"$work/before.txt"

# First a dry run: what a run would add, with the documents left untouched.
echo
echo "== Kelvort's dry run"
start_standin
set +e
"$bin/kelvort" --dry-run --report "$work/dry-run.html"
set -e
stop_standin
echo
echo "== The dry run's report: $work/dry-run.html"
sed -n 's#^<tr[^>]*><td>\(.*\)</td><td class="count">\([0-9]*\)</td></tr>$#  \1: \2#p' \
  "$work/dry-run.html"

echo
echo "== Kelvort's messages"
start_standin
set +e
"$bin/kelvort" --report "$work/report.html"
status=$?
set -e
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
