#!/usr/bin/env bash
# make dist: the installation folder with the programs built so far, and a release zip.
set -euo pipefail
bin=$1
dist=$2
rm -rf "$dist"
mkdir -p "$dist"
for exe in VESKOR.EXE VESKOR1.EXE VESKORCFG.EXE; do
  [ -f "$bin/$exe" ] && cp "$bin/$exe" "$dist/"
done
i686-w64-mingw32-strip "$dist"/*.EXE
(cd "$dist" && zip -q -X veskor.zip ./*.EXE)
ls -l "$dist"
