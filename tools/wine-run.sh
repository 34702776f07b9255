#!/usr/bin/env bash
# Runs driver groups in a Wine session of their own, for the demo and the
# benchmarks:  wine-run.sh BUILD OUTDIR GROUP...
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
shift 2
session="$(dirname "$0")/../tests/e2e/wine-session.sh"
state="$build/native/$(basename "$out")-session"
export VESKOR_WIN32_BIN="$build/win32/bin" VESKOR_WINE_TEMPLATE="$build/wine-template"
rm -rf "$out"
mkdir -p "$out"
"$session" start "$state" >/dev/null
trap '"$session" stop "$state"' EXIT
status=0
for group in "$@"; do
  VESKOR_OUT_DIR="$out" "$session" run "$state" driver.exe "$group" || status=1
done
exit $status
