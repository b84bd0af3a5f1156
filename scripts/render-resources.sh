#!/usr/bin/env bash
# Renders the program's SVG images into the forms the Windows executable embeds
# (resources/win32/: 24-bit BMPs on the dialog face colour, a multi-size icon). Run it after
# changing an SVG image and commit the results: the Windows build itself needs no converter.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/resources/win32"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for image in kelvort-logo brannick-logo; do
  rsvg-convert --background-color='#f0f0f0' "$root/resources/$image.svg" -o "$work/$image.png"
  /usr/bin/convert "$work/$image.png" -alpha remove -type TrueColor "BMP3:$out/$image.bmp"
done
for size in 16 32 48; do
  rsvg-convert -w "$size" -h "$size" "$root/resources/kelvort-icon.svg" -o "$work/icon-$size.png"
done
/usr/bin/convert "$work"/icon-16.png "$work"/icon-32.png "$work"/icon-48.png "$out/kelvort-icon.ico"
