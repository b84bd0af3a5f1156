#!/usr/bin/env bash
# Runs the Windows tree's tests under Wine: scripts/test-windows.sh DIR (built by
# scripts/build-windows.sh). A fresh Wine prefix of the run's own inside DIR, a drive mapped to
# a temporary folder, a German user locale; every wine command under a timeout, and the
# prefix's wineserver stopped at the end, so that nothing is left running.
set -euo pipefail
# Wine's processes count for session detection machine-wide: the run holds the session lock
# (a caller that holds it already says so with KELVORT_SESSION_LOCK_HELD=1).
if [ -z "${KELVORT_SESSION_LOCK_HELD:-}" ]; then
  KELVORT_SESSION_LOCK_HELD=1 exec flock /tmp/kelvort-session.lock bash "$0" "$@"
fi
dir=$(realpath "$1")
rm -rf "$dir/wine-drive"
mkdir -p "$dir/wine-drive"
source "$(dirname "$0")/wine-prefix.sh"
fresh_wine_prefix "$dir/wine-prefix"
# Drive K: is a folder of the run's own; the prefix's services see it when they start again.
ln -s "$dir/wine-drive" "$WINEPREFIX/dosdevices/k:"
stop_wine

echo "== Windows tests under Wine"
KELVORT_TEST_DRIVE=K: KELVORT_GERMAN_LOCALE=1 LC_ALL=de_DE.UTF-8 \
  timeout 300 wine "$dir/bin/kelvort_windows_tests.exe" --gtest_brief=${KELVORT_GTEST_BRIEF:-1}

echo "== kelvort.exe under Wine"
# An unknown option: the usage and exit status 2, never a run.
status=0
timeout 60 wine "$dir/bin/kelvort.exe" --no-such-option >/dev/null 2>"$dir/usage.txt" || status=$?
if [ "$status" -ne 2 ] || ! grep -q "^Usage: kelvort" "$dir/usage.txt"; then
  echo "kelvort.exe --no-such-option: exit status $status, expected 2 and the usage" >&2
  exit 1
fi
# No CNEXT.exe in the prefix: the "not exactly one CATIA" box on standard output, status 1.
status=0
output=$(timeout 60 wine "$dir/bin/kelvort.exe" --console 2>/dev/null) || status=$?
expected="[Aborted] Kelvort needs exactly one running CATIA session. Start CATIA, or close the other CATIA sessions, and run Kelvort again."
if [ "$status" -ne 1 ] || [ "$(printf '%s' "$output" | tr -d '\r')" != "$expected" ]; then
  printf 'kelvort.exe --console: exit status %s, output:\n%s\n' "$status" "$output" >&2
  exit 1
fi
echo "kelvort.exe --console: the CATIA box and exit status 1; an unknown option: exit status 2"
