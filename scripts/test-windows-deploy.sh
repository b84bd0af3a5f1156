#!/usr/bin/env bash
# The MSI and the setup.exe as an administrator deploys them, under Wine:
# scripts/test-windows-deploy.sh WINDOWS_DIR (the tree of scripts/build-windows.sh). Packages
# this version (unless dist/ holds them) and, from a copy of the project and a build tree whose
# version is one step later, the next one with scripts/package-windows.sh; then runs
# tests/windows/package_upgrade_test.sh for both kinds side by side, each in a fresh prefix.
set -euo pipefail
if [ -z "${KELVORT_SESSION_LOCK_HELD:-}" ]; then
  KELVORT_SESSION_LOCK_HELD=1 exec flock /tmp/kelvort-session.lock bash "$0" "$@"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
windows=$(realpath "$1")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")
next=${version%.*}.$((${version##*.} + 1))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

current() { ls "$root/dist/Kelvort-$version-win64.msi" "$root/dist/Kelvort-$version-setup.exe"; }
current >/dev/null 2>&1 || bash "$root/scripts/package-windows.sh" "$windows" >/dev/null
# The packages take the version of the build they are made from: the next one's build tree
# holds the same programs and says the next version.
mkdir -p "$work/next/build"
cp -r "$root"/{Config,Help,LICENSE,packaging,resources,scripts} "$work/next/"
ln -s "$windows/bin" "$work/next/build/bin"
echo "CMAKE_PROJECT_VERSION:STATIC=$next" >"$work/next/build/CMakeCache.txt"
bash "$work/next/scripts/package-windows.sh" "$work/next/build" >/dev/null

echo "== The packages: install, again, upgrade to $next, downgrade, uninstall (MSI, setup.exe)"
pids=()
for kind in msi setup; do
  suffix=win64.msi
  [ "$kind" = msi ] || suffix=setup.exe
  bash "$root/tests/windows/package_upgrade_test.sh" "$kind" \
    "$root/dist/Kelvort-$version-$suffix" "$work/next/dist/Kelvort-$next-$suffix" \
    "$windows/wine-deploy-$kind" >"$work/$kind.log" 2>&1 &
  pids+=($!)
done
status=0
for index in 0 1; do
  wait "${pids[$index]}" || status=1
done
cat "$work/msi.log" "$work/setup.log"
exit $status
