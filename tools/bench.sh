#!/usr/bin/env bash
# make bench: times our programs against minimal reference programs in one
# Wine session and prints the ratios (also in build/bench/bench.txt). Every
# program runs stripped, as the release ships it, so that loading the debug
# information of the build is not part of the times.
set -euo pipefail
build=$(realpath "$1")
bin="$build/bench-bin"
rm -rf "$bin"
mkdir -p "$bin"
for file in "$build"/win32/bin/*; do
  case $file in
    *.exe|*.EXE) i686-w64-mingw32-objcopy --strip-all "$file" "$bin/$(basename "$file")" ;;
    *) cp "$file" "$bin/" ;;
  esac
done
VESKOR_WIN32_BIN="$bin" "$(dirname "$0")/wine-run.sh" "$build" "$build/bench" bench.exe bench
