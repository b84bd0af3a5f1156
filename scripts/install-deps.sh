#!/usr/bin/env bash
# Installs the Debian packages that building and testing Kelvort need, and the source-package
# entry from which the Windows build fetches pugixml. Safe to run again; quick when all is there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libpugixml-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-format clang-tidy python3
  # The fuzz targets: clang and its sanitizer runtime.
  clang libclang-rt-14-dev
  # The Windows build: the cross compiler, Wine to test it, dpkg-dev for `apt-get source`,
  # locales for the German locale of the Wine tests.
  g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev locales
  # The Windows packages: the zip, the NSIS installer and the MSI (wixl, msibuild).
  nsis zip msitools wixl
  # The windows' tests: a virtual display, its screenshots, and the SVG images rendered for
  # the Windows executable (scripts/render-resources.sh).
  xvfb xauth imagemagick librsvg2-bin
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
apt_get() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# Source packages: an entry of its own beside the configured binary one, derived from it.
need_update=false
sources=/etc/apt/sources.list.d/debian.sources
source_entry=/etc/apt/sources.list.d/kelvort-deb-src.sources
if ! grep -qsr '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
  ! grep -qs '^deb-src' /etc/apt/sources.list; then
  if [ -f "$sources" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$sources" | "${sudo_cmd[@]}" tee "$source_entry" >/dev/null
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/kelvort-deb-src.list >/dev/null
  fi
  need_update=true
fi
apt-cache showsrc pugixml >/dev/null 2>&1 || need_update=true

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -gt 0 ] && need_update=true

if $need_update; then
  apt_get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows tests run Wine under a German locale; Wine's file names need it in the C library.
if ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
