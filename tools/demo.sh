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
"$here/to-png.sh" "$out"
echo
echo "Demo output in $out:"
ls "$out"
exit "${status:-0}"
