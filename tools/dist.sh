#!/usr/bin/env bash
# make dist: the installation folder DIST with the three programs (stripped),
# the release zip and SHA256SUMS; the programs' debug information in
# DIST/debug/NAME.debug, each program naming its debug file and its checksum
# (.gnu_debuglink), so that a crash address can be read. The same commit gives
# the same bytes in any folder: the zip's entries come in a fixed order with
# the commit's time and no owner or extra fields.
#   dist.sh BIN DIST
set -euo pipefail
bin=$(realpath "$1")
dist=$(realpath -m "$2")
export TZ=UTC LC_ALL=C
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$(dirname "$0")" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH
programs=(VESKOR.EXE VESKOR1.EXE VESKORCFG.EXE)

rm -rf "$dist"
mkdir -p "$dist/debug"
for exe in "${programs[@]}"; do
  [ -f "$bin/$exe" ] || { echo "dist: $bin/$exe is missing" >&2; exit 1; }
  # objcopy stamps the PE header it writes with SOURCE_DATE_EPOCH (else the
  # current time): 0, as the linker leaves it.
  SOURCE_DATE_EPOCH=0 i686-w64-mingw32-objcopy --only-keep-debug "$bin/$exe" "$dist/debug/$exe.debug"
  (cd "$dist/debug" && SOURCE_DATE_EPOCH=0 i686-w64-mingw32-objcopy --strip-all \
     --add-gnu-debuglink="$exe.debug" "$bin/$exe" "../$exe")
done
chmod 0644 "$dist"/*.EXE "$dist"/debug/*.debug
touch -d "@$SOURCE_DATE_EPOCH" "$dist"/*.EXE "$dist"/debug/*.debug
(cd "$dist" && zip -q -X -D veskor.zip "${programs[@]}")
(cd "$dist" && sha256sum "${programs[@]}" veskor.zip >SHA256SUMS)
cat "$dist/SHA256SUMS"
