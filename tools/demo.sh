#!/usr/bin/env bash
# make demo: a sample installation and a user's start under Wine, with
# screenshots (PNG) and a short report in build/demo/.
set -euo pipefail
build=$(realpath "$1")
out="$build/demo"
here=$(dirname "$0")
# The fault library lets the demo show a full disk and unreadable files.
export VESKOR_FAULT_PRELOAD="$build/native/fault/\$LIB/libveskorfault.so"
"$here/wine-run.sh" "$build" "$out" demo.exe demo || status=$?
# The forms at 150% display scale, in a session of their own.
VESKOR_WINE_DPI=144 "$here/wine-run.sh" "$build" "$out/scaled" demo.exe demo_scaled || status=$?
mv "$out/scaled"/*.bmp "$out/" 2>/dev/null || true
cat "$out/scaled/demo-report.txt" >>"$out/demo-report.txt" 2>/dev/null || true
rm -rf "$out/scaled"
"$here/to-png.sh" "$out"
echo
echo "Demo output in $out:"
ls "$out"
exit "${status:-0}"
