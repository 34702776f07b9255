#!/usr/bin/env bash
# Runs a program of the Windows build (the demo, the benchmarks) in a Wine
# session of its own, once per group:  wine-run.sh BUILD OUTDIR PROGRAM GROUP...
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
program=$3
shift 3
session="$(dirname "$0")/../tests/e2e/wine-session.sh"
state="$build/native/$(basename "$out")-session"
export VESKOR_WIN32_BIN="${VESKOR_WIN32_BIN:-$build/win32/bin}" VESKOR_WINE_TEMPLATE="$build/wine-template"
rm -rf "$out"
mkdir -p "$out"
"$session" start "$state" >/dev/null
trap '"$session" stop "$state"' EXIT
status=0
for group in "$@"; do
  VESKOR_OUT_DIR="$out" "$session" run "$state" "$program" "$group" || status=1
done
exit $status
