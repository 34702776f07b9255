#!/usr/bin/env bash
# make bench: times our programs against minimal reference programs in one
# Wine session and prints the ratios (also in build/bench/bench.txt).
set -euo pipefail
build=$(realpath "$1")
"$(dirname "$0")/wine-run.sh" "$build" "$build/bench" bench.exe bench
