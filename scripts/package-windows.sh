#!/usr/bin/env bash
# Builds what a Windows user installs: dist/Kelvort-<version>-win64.zip and the NSIS installer
# dist/Kelvort-<version>-setup.exe, both holding kelvort.exe, Config\, Help\ind.html and the
# licence, never the stand-in CATIA. scripts/package-windows.sh [BUILD_DIR] (the Windows
# build tree, build/windows by default; built here when its kelvort.exe is missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/windows}")
[ -f "$build/bin/kelvort.exe" ] || bash "$root/scripts/build-windows.sh" "$build"
# The version the build was made with (the project's, from CMakeLists.txt).
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package-windows.sh: no version in $build" >&2; exit 1; }

dist="$root/dist"
name="Kelvort-$version-win64"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
package="$stage/$name"
mkdir -p "$package/bin" "$package/Config" "$package/Help"
cp "$build/bin/kelvort.exe" "$package/bin/"
cp "$root/Config/Settings.xml" "$root/Config/lang.xml" "$package/Config/"
cp "$root/Help/ind.html" "$package/Help/"
# Windows line ends, so that Notepad shows the licence as written.
sed 's/$/\r/' "$root/LICENSE" >"$package/LICENSE.txt"

mkdir -p "$dist"
rm -f "$dist/$name.zip" "$dist/Kelvort-$version-setup.exe"
(cd "$stage" && zip -qrX "$dist/$name.zip" "$name")
makensis -V2 -DVERSION="$version" -DSTAGE="$package" \
  -DOUTFILE="$dist/Kelvort-$version-setup.exe" "$root/packaging/kelvort.nsi"
echo "dist/$name.zip"
echo "dist/Kelvort-$version-setup.exe"
