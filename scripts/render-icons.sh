#!/usr/bin/env bash
# Renders the PNG sizes of the icons from their SVG drawings in data/icons. Run it
# after changing a drawing and commit the PNGs with it, so that building needs no
# SVG renderer. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$size"
  for name in vitacraft application-x-vitacraft-resume; do
    rsvg-convert -w "$size" -h "$size" "$name.svg" -o "$size/$name.png"
  done
done
