#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/com.zorware.zorkvm.svg) to the PNG sizes that are
# installed into share/icons/hicolor, and to the window icon built into the program. The PNGs are
# committed: run this after changing the SVG. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
svg=packaging/icons/com.zorware.zorkvm.svg
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$svg" -o "packaging/icons/${size}.png"
done
cp packaging/icons/64.png src/resources/zorkvm.png
