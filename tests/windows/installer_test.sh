#!/usr/bin/env bash
# The installer under Wine (called by scripts/test-windows-e2e.sh, in its prefix and lock):
# installer_test.sh WINDOWS_DIR LINUX_DIR SETUP_EXE. A silent per-machine install into
# Program Files\Kelvort with its Start-menu entry and no stand-in; the installed kelvort.exe
# --console attaches to the Windows CNEXT.exe and completes the sample gearbox (upgrades and
# the uninstall: package_upgrade_test.sh).
set -euo pipefail
windows=$1 linux=$2 setup=$3
: "${WINEPREFIX:?}"
drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Kelvort"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kelvort"
user_files="$drive_c/users/${USER:-root}/AppData/Roaming/brannick/Kelvort"
work=$(mktemp -d)
catia_pid=
cleanup() {
  [ -z "$catia_pid" ] || kill "$catia_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "installer test: $*" >&2
  exit 1
}

timeout 120 wine "$setup" /S
for file in bin/kelvort.exe Config/Settings.xml Config/lang.xml Help/ind.html LICENSE.txt \
  Config/Settings.default.xml Uninstall.exe; do
  [ -f "$installed/$file" ] || fail "$file was not installed"
done
[ -f "$menu/Kelvort.lnk" ] || fail "no Start-menu entry"
if find "$installed" -iname 'CNEXT*' | grep -q .; then fail "the stand-in was installed"; fi

cp -r "$(dirname "$0")/../../samples" "$work/samples"
rm -rf "$user_files"
# Another's registration of CATIA.Application (an installed CATIA's): the stand-in takes it
# over while it serves and gives it back when it ends, its own keys removed.
classes='Software\Classes'
standin_class='{6B1E3F52-9A47-4D0C-B8E1-2F5C7D9A4E13}'
other_class='{0F0E0D0C-0B0A-0908-0706-050403020100}'
timeout 60 wine reg add "HKLM\\$classes\CATIA.Application\CLSID" /ve /d "$other_class" /f \
  >/dev/null
timeout 120 wine "$windows/bin/CNEXT.exe" "Z:${work//\//\\}\\samples\\Gearbox.CATProduct" \
  >"$work/catia.out" 2>&1 &
catia_pid=$!
for _ in $(seq 600); do
  grep -q "serves as CATIA.Application" "$work/catia.out" && break
  kill -0 "$catia_pid" 2>/dev/null || fail "CNEXT.exe ended: $(cat "$work/catia.out")"
  sleep 0.1
done
status=0
# Its progress goes to standard error, its boxes to standard output.
output=$(timeout 120 wine "C:\\Program Files\\Kelvort\\bin\\kelvort.exe" --console 2>"$work/kelvort.err") ||
  status=$?
timeout 60 wine "$windows/bin/CNEXT.exe" --quit >/dev/null || fail "CNEXT.exe --quit failed"
wait "$catia_pid" || fail "CNEXT.exe ended with status $?"
catia_pid=
# Wine's reg prints its errors on standard output: its exit status tells.
registered() { timeout 60 wine reg query "$1" /ve >/dev/null 2>&1; }
for root in HKCU HKLM; do
  ! registered "$root\\$classes\CLSID\\$standin_class" ||
    fail "the stand-in's class is left registered in $root"
done
! registered "HKCU\\$classes\CATIA.Application" ||
  fail "the stand-in's CATIA.Application is left registered in HKCU"
timeout 60 wine reg query "HKLM\\$classes\CATIA.Application\CLSID" /ve | grep -qi "$other_class" ||
  fail "the other registration of CATIA.Application was not given back"
timeout 60 wine reg delete "HKLM\\$classes\CATIA.Application" /f >/dev/null
# The closing box: its first line, then what the run added.
expected="[Kelvort] The parameters have been created successfully.
  Added: "
[ "$status" -eq 0 ] && case "$(printf '%s' "$output" | tr -d '\r')" in "$expected"*) true ;; *) false ;; esac ||
  fail "the installed kelvort.exe: status $status, output: $output $(cat "$work/kelvort.err")"
"$linux/bin/CNEXT.exe" --print "$work/samples/Cover.CATPart" | grep -q "Form_Released" ||
  fail "the documents were not written back"
[ -f "$user_files/Settings.xml" ] || fail "the user's Settings.xml was not made"

echo "installer: silent install and the installed kelvort.exe's run passed"
