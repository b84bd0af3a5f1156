#!/usr/bin/env bash
# Builds what a Windows user installs: dist/Kelvort-<version>-win64.zip, the NSIS installer
# dist/Kelvort-<version>-setup.exe and dist/Kelvort-<version>-win64.msi, all holding
# kelvort.exe, Config\ (with the shipped Settings.xml also as Settings.default.xml),
# Help\ind.html and the licence, never the stand-in CATIA. scripts/package-windows.sh
# [BUILD_DIR] (the Windows build tree, build/windows by default; built here when its
# kelvort.exe is missing). The version is CMakeLists.txt's project(VERSION).
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
cp "$root/Config/Settings.xml" "$package/Config/Settings.default.xml"
cp "$root/Help/ind.html" "$package/Help/"
# Windows line ends, so that Notepad shows the licence as written.
sed 's/$/\r/' "$root/LICENSE" >"$package/LICENSE.txt"

mkdir -p "$dist"
rm -f "$dist/$name.zip" "$dist/Kelvort-$version-setup.exe" "$dist/$name.msi"
(cd "$stage" && zip -qrX "$dist/$name.zip" "$name")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$package" \
  -DOUTFILE="$dist/Kelvort-$version-setup.exe" "$root/packaging/kelvort.nsi"
bash "$root/scripts/build-msi.sh" "$version" "$package" "$dist/$name.msi"
echo "dist/$name.zip"
echo "dist/Kelvort-$version-setup.exe"
echo "dist/$name.msi"
