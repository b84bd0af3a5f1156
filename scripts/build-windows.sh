#!/usr/bin/env bash
# Cross-builds the Windows tree with MinGW-w64 into DIR, with the program's layout (bin/,
# Config/, Help/): scripts/build-windows.sh DIR [cmake options...]
# pugixml is compiled from Debian's source package (fetched once into a cache folder outside
# the repository), GoogleTest from /usr/src/googletest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "$1")
shift
cache=${KELVORT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvort}

pugixml_source() {
  local found
  for found in "$cache"/pugixml-*/src/pugixml.cpp; do
    [ -f "$found" ] && { dirname "$(dirname "$found")"; return; }
  done
}
if [ -z "$(pugixml_source)" ]; then
  mkdir -p "$cache"
  (cd "$cache" && apt-get source -qq pugixml >/dev/null 2>"$cache/apt-get-source.log") || {
    cat "$cache/apt-get-source.log" >&2
    exit 1
  }
fi

cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DKELVORT_PUGIXML_SOURCE_DIR="$(pugixml_source)" \
  "$@" >/dev/null
cmake --build "$dir" -j2
