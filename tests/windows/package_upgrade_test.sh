#!/usr/bin/env bash
# One package through an administrator's deployment under Wine, in a fresh prefix:
# package_upgrade_test.sh msi|setup PACKAGE LATER_PACKAGE PREFIX (LATER_PACKAGE one version on).
# A silent install into a folder of one's own, the shared Settings.xml changed, the same package
# again, then the later one without a folder: it upgrades in place, keeps the changed file,
# puts the shipped one beside it as Settings.default.xml, replaces lang.xml, leaves one product
# of the later version, and the installed kelvort.exe runs from the changed file (without CATIA:
# exit 1 and the CATIA box). The older package over the later one is refused. The silent
# uninstall removes the program, keeps the changed Settings.xml and the user's own files. The MSI then installs the
# Settings.xml given with SETTINGS= over it.
set -euo pipefail
kind=$1 package=$(realpath "$2") later=$(realpath "$3")
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-prefix.sh"
fresh_wine_prefix "$(realpath -m "$4")"
drive_c="$WINEPREFIX/drive_c"
folder='C:\CAD\Kelvort'
installed="$drive_c/CAD/Kelvort"
config="$installed/Config"
user_files="$drive_c/users/${USER:-root}/AppData/Roaming/brannick/Kelvort"
work=$(mktemp -d)
trap 'rm -rf "$work"; stop_wine' EXIT
fail() {
  echo "$kind package test: $*" >&2
  exit 1
}
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
version_of() { sed -n 's/.*Kelvort-\([0-9.]*\)-.*/\1/p' <<<"$1"; }

# install PACKAGE [FOLDER [SETTINGS_FILE]]: the silent install an administrator runs.
install() {
  local args=()
  if [ "$kind" = msi ]; then
    args=(msiexec /i "$(windows_path "$1")" /qn)
    [ -z "${2:-}" ] || args+=("INSTALLDIR=$2")
    [ -z "${3:-}" ] || args+=("SETTINGS=$(windows_path "$3")")
  else
    args=("$1" /S)
    [ -z "${2:-}" ] || args+=("/D=$2")
  fi
  timeout 180 wine "${args[@]}"
}
# The uninstall as the deployment guide writes it, run by cmd.exe, which waits for it.
uninstall() {
  if [ "$kind" = msi ]; then
    printf 'msiexec /x "%s" /qn\r\n' "$(windows_path "$later")" >"$drive_c/uninstall.cmd"
  else
    printf '"%s\\Uninstall.exe" /S _?=%s\r\ndel "%s\\Uninstall.exe"\r\n' \
      "$folder" "$folder" "$folder" >"$drive_c/uninstall.cmd"
  fi
  timeout 180 wine cmd /c 'C:\uninstall.cmd' >/dev/null
}
# The versions that Add/Remove Programs lists for Kelvort, one a line.
products() {
  timeout 60 wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
    tr -d '\r' | awk 'function flush() { if (name) print version; name = ""; version = "" }
      /^HKEY/ { flush() } /DisplayName +REG_SZ +Kelvort$/ { name = 1 }
      /DisplayVersion/ { version = $3 } END { flush() }'
}
menu_entries() { find "$drive_c/ProgramData" "$drive_c/users" -iname 'Kelvort.lnk' | wc -l; }

install "$package" "$folder" || fail "the silent install failed"
for file in bin/kelvort.exe Config/Settings.xml Config/Settings.default.xml Config/lang.xml \
  Help/ind.html LICENSE.txt; do
  [ -f "$installed/$file" ] || fail "$file was not installed"
done
[ "$(menu_entries)" -eq 1 ] || fail "no Start-menu entry"

# The administrator's change: a parameter of the company's own; and a stray edit of lang.xml.
sed -i 's|<Parameters>|&\n    <Parameter Name="CostCentre" Type="String" Default="4711" />|' \
  "$config/Settings.xml"
cp "$config/Settings.xml" "$work/changed.xml"
echo '<!-- edited -->' >>"$config/lang.xml"

install "$package" || fail "installing the same package again failed"
cmp -s "$config/Settings.xml" "$work/changed.xml" || fail "installing again replaced Settings.xml"
install "$later" || fail "the upgrade failed"
cmp -s "$config/Settings.xml" "$work/changed.xml" || fail "the upgrade replaced Settings.xml"
cmp -s "$config/Settings.default.xml" "$root/Config/Settings.xml" ||
  fail "Settings.default.xml is not the shipped Settings.xml"
cmp -s "$config/lang.xml" "$root/Config/lang.xml" || fail "the upgrade kept the old lang.xml"
[ "$(products)" = "$(version_of "$later")" ] ||
  fail "installed products after the upgrade: $(products | tr '\n' ' ')"
[ ! -e "$drive_c/Program Files/Kelvort" ] || fail "the upgrade went into Program Files"
[ "$(menu_entries)" -eq 1 ] || fail "$(menu_entries) Start-menu entries after the upgrade"

status=0
output=$(timeout 120 wine "$folder\\bin\\kelvort.exe" --console 2>&1) || status=$?
[ "$status" -eq 1 ] && grep -q '^\[Aborted\] Kelvort needs exactly one running CATIA session' \
  <<<"$output" || fail "the installed kelvort.exe: status $status, output: $output"
grep -q 'CostCentre' "$user_files/Settings.xml" ||
  fail "the user's settings were not copied from the changed Settings.xml"

if install "$package"; then fail "the older package installed over the later one"; fi
[ "$(products)" = "$(version_of "$later")" ] && [ -f "$installed/bin/kelvort.exe" ] ||
  fail "the refused downgrade changed the installation"

uninstall || fail "the silent uninstall failed"
left=$(cd "$installed" && find . -type f | sort | tr '\n' ' ')
[ "$left" = "./Config/Settings.xml " ] || fail "the uninstall left: $left"
cmp -s "$config/Settings.xml" "$work/changed.xml" || fail "the uninstall changed Settings.xml"
[ -z "$(products)" ] || fail "still in Add/Remove Programs after the uninstall"
[ "$(menu_entries)" -eq 0 ] || fail "the Start-menu entry is left"
[ -f "$user_files/Settings.xml" ] || fail "the uninstall removed the user's own files"

if [ "$kind" = msi ]; then
  sed 's|<Parameters>|&\n    <Parameter Name="Plant" Type="North,South" Default="North" />|' \
    "$root/Config/Settings.xml" >"$work/given.xml"
  install "$later" "$folder" "$work/given.xml" || fail "the install with SETTINGS= failed"
  cmp -s "$config/Settings.xml" "$work/given.xml" || fail "SETTINGS= did not install the file given"
fi
echo "$kind package: install, again, upgrade, refused downgrade and uninstall passed"
