#!/usr/bin/env bash
# Drives kelvort.exe's windows under Wine on a virtual display (Xvfb):
# scripts/test-windows-gui.sh DIR [--screenshots] (DIR built by scripts/build-windows.sh).
# The settings dialog and the main window are driven through window messages
# (kelvort_window_driver.exe) and checked against the per-user Settings.xml, the stay-on-top
# flag of the real window and the layout in pixels at 96 DPI; kelvort_window_tests.exe drives
# the file system lists, the browse dialogs, a failing event procedure and Activate from a
# thread of its own. A long run against the Windows CNEXT.exe shows its progress window, whose
# Stop button stops it. With --screenshots each window is saved in English and German as
# docs/window-*.png. A Wine prefix of the run's own, every
# wine command under a timeout, the prefix's wineserver stopped at the end.
set -euo pipefail
if [ -z "${KELVORT_SESSION_LOCK_HELD:-}" ]; then
  KELVORT_SESSION_LOCK_HELD=1 exec flock /tmp/kelvort-session.lock bash "$0" "$@"
fi
if [ -z "${KELVORT_ON_XVFB:-}" ]; then
  KELVORT_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash "$0" "$@"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath "$1")
screenshots=${2:-}
source "$root/scripts/wine-prefix.sh"
fresh_wine_prefix "$dir/wine-gui-prefix"
# The screen's DPI: 96 unless a step sets another.
desktop='HKCU\Control Panel\Desktop'
user_settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/brannick/Kelvort/Settings.xml"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
driver() {
  timeout 40 wine "$dir/bin/kelvort_window_driver.exe" "$@" | tr -d '\r' || fail "driver: $*"
}
drive() { driver --window "$@"; }
# Starts kelvort.exe with an option in the background; wait_kelvort waits for its end.
start_kelvort() {
  timeout 60 wine "$dir/bin/kelvort.exe" "$@" >"$dir/gui-run.txt" 2>&1 &
  kelvort_pid=$!
}
wait_kelvort() {
  local status=0
  wait "$kelvort_pid" || status=$?
  [ "$status" -eq 0 ] || fail "kelvort.exe ended with status $status: $(cat "$dir/gui-run.txt")"
}
shot() {
  [ "$screenshots" = --screenshots ] || return 0
  sleep 1
  import -window root -crop "$(drive "$1" rect)" +repage "$root/docs/window-$2.png"
}
# A long run (no --console) stopped from its progress window, in the run's language: LANGUAGE
# STOP PROGRESS STOPPED, the last two patterns of the window's text and of the stop box's.
stop_from_window() {
  local status=0 text
  [ -n "$catia_pid" ] || return 0 # CNEXT.exe did not start: failed already
  timeout 120 wine "$dir/bin/kelvort.exe" >"$dir/gui-run.txt" 2>&1 &
  kelvort_pid=$!
  text=$(drive Kelvort text)
  grep -qE "$3" <<<"$text" || fail "the progress window ($1) shows: $text"
  shot Kelvort "progress-$1"
  drive Kelvort click "$2"
  # Under Xvfb the box waits for its OK.
  text=$(driver --box Kelvort text)
  driver --box Kelvort click OK
  wait "$kelvort_pid" || status=$?
  [ "$status" -eq 1 ] || fail "the run stopped from its window ended with status $status"
  grep -qE "$4" <<<"$text" || fail "the stop box ($1) says: $text"
}

# The geometry of a form's controls against its layout in pixels (twips / 15 at 96 DPI).
expect_geometry() {
  local caption=$1
  shift
  local actual
  actual=$(drive "$caption" geometry)
  for expected in "$@"; do
    grep -qxF "$expected" <<<"$actual" || fail "$caption: no control at $expected; found: $actual"
  done
}

echo "== the forms in real windows, driven from a second thread"
# With --screenshots the tests also save each form; the browse dialogs' pictures are kept.
rm -rf "$dir/screenshots" && mkdir -p "$dir/screenshots"
[ "$screenshots" != --screenshots ] || export KELVORT_SCREENSHOT_DIR="$(winepath -w "$dir/screenshots")"
timeout 180 wine "$dir/bin/kelvort_window_tests.exe" --gtest_brief=1 | tr -d '\r' ||
  fail "kelvort_window_tests.exe"
unset KELVORT_SCREENSHOT_DIR
for picture in "$dir"/screenshots/window-f*-browser-*.bmp; do
  if [ -f "$picture" ]; then convert "$picture" "$root/docs/$(basename "${picture%.bmp}").png"; fi
done

echo "== at 144 DPI: every label whole, the logos scaled to their boxes"
timeout 60 wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
timeout 180 wine "$dir/bin/kelvort_window_tests.exe" --gtest_brief=1 \
  --gtest_filter='*LabelsShowTheirWholeCaption*' | tr -d '\r' || fail "the forms at 144 DPI"
timeout 60 wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1

echo "== the settings dialog (English at first): geometry, German chosen and saved"
start_kelvort --settings
expect_geometry Settings "Save|8 56 105 25" "Cancel|136 56 105 25" "German|88 16 73 17" \
  "English|168 16 73 17"
# The label keeps its place; it is wider than its 49 pixels only where the font needs it.
grep -qE '^Language:\|16 16 (49|5[0-9]|6[0-9]) 17$' <<<"$(drive Settings geometry)" ||
  fail "the label Language: left its place: $(drive Settings geometry)"
shot Settings settings-en
[ "$(drive Settings topmost)" = 0 ] || fail "the settings dialog is on top without the switch"
drive Settings click German
drive Settings click Save
wait_kelvort
grep -q 'Index_1[^>]*Value="True"\|Index_1.*Value="true"' "$user_settings" 2>/dev/null ||
  fail "Save did not store German: $(cat "$user_settings" 2>/dev/null)"

echo "== the settings dialog in German: Cancel leaves the file as it was"
cp "$user_settings" "$dir/settings-before.xml"
start_kelvort --settings
shot Einstellungen settings-de
drive Einstellungen click Englisch
drive Einstellungen click Abbrechen
wait_kelvort
cmp -s "$user_settings" "$dir/settings-before.xml" || fail "Cancel changed the settings file"

echo "== the main window in German: stay on top, about box, closed by its close box"
start_kelvort --window
expect_geometry Kelvort "|8 8 180 42"
shot "Kelvort - " main-de
drive "Kelvort - " menu 102 # menForeground
sleep 1
[ "$(drive "Kelvort - " topmost)" = 1 ] || fail "the stay-on-top switch left the main window normal"
drive "Kelvort - " menu 104 # menAbout
shot Brannick about-de
drive Brannick click OK
drive "Kelvort - " close
wait_kelvort

echo "== a long run in German, stopped from its progress window"
rm -rf "$dir/long-run"
top=$(driver --structure "$(winepath -w "$dir/long-run")" 300)
timeout 900 wine "$dir/bin/CNEXT.exe" "$top" >"$dir/catia.txt" 2>&1 &
catia_pid=$!
for _ in $(seq 600); do
  grep -q "serves as CATIA.Application" "$dir/catia.txt" && break
  kill -0 "$catia_pid" 2>/dev/null || { fail "CNEXT.exe ended: $(cat "$dir/catia.txt")" &&
    catia_pid= && break; }
  sleep 0.1
done
stop_from_window de Anhalten '^Kelvort: [0-9]+ Teile und Produkte - [A-Z]' \
  '^Der Lauf wurde auf Ihren Wunsch nach [0-9]+ Produkten und Teilen angehalten\.'

echo "== English again: the main window, a long run stopped from its progress window"
start_kelvort --settings
drive Einstellungen click Englisch
drive Einstellungen click Speichern
wait_kelvort
start_kelvort --window
shot "Kelvort - " main-en
drive "Kelvort - " menu 104 # menAbout
shot Brannick about-en
drive Brannick click OK
drive "Kelvort - " close
wait_kelvort
stop_from_window en Stop '^Kelvort: [0-9]+ parts and products - [A-Z]' \
  '^The run was stopped at your request after [0-9]+ products and parts\.'
if [ -n "$catia_pid" ]; then
  timeout 60 wine "$dir/bin/CNEXT.exe" --quit >/dev/null || fail "CNEXT.exe --quit failed"
  wait "$catia_pid" || fail "CNEXT.exe ended with status $?"
fi

[ "$failures" -eq 0 ] || exit 1
echo "windows under Wine: every check passed"
