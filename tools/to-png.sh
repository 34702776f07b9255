#!/usr/bin/env bash
# Turns the BMP screenshots the driver saved in a folder into PNG files.
set -euo pipefail
for bmp in "$1"/*.bmp; do
  [ -e "$bmp" ] || continue
  bmptopnm "$bmp" 2>/dev/null | pnmtopng >"${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
