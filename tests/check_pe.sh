#!/usr/bin/env bash
# Checks the built programs' headers: 32-bit, GUI subsystem of version 4.0
# (what Windows 95 and 98 load), marked terminal-server aware, and imports from
# system DLLs only (no compiler runtime DLLs), each function one that Windows
# 95, 98 and NT 4 export (tests/win9x_imports.txt).
#   check_pe.sh BIN
# With --release, makes the release from BIN into OUT (tools/dist.sh) and checks
# the shipped programs as well: the same headers, no debug sections, a link to
# a debug file whose checksum matches, no link time stamp, no build folder named
# in a program or debug file, the zip's entries in order, SHA256SUMS right.
#   check_pe.sh --release BIN OUT
set -u
release=0
if [ "${1:-}" = --release ]; then release=1; shift; fi
bin=$1
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/release_programs.sh"
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|msvcrt|version)\.dll$'
known=$(sed 's/[[:space:]]*--.*//; /^#/d; /^[[:space:]]*$/d' "$root/tests/win9x_imports.txt")
fail=0

check_headers() {  # FILE
  local f=$1 exe dump
  exe=$(basename "$f")
  dump=$(i686-w64-mingw32-objdump -p "$f")
  grep -q 'file format pei-i386' <<<"$dump" || { echo "$f: not a 32-bit PE"; fail=1; }
  grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || { echo "$f: not GUI subsystem"; fail=1; }
  [ "$(sed -n 's/^M[a-z]*SubsystemVersion[[:space:]]*//p' <<<"$dump" | tr '\n' .)" = 4.0. ] ||
    { echo "$f: subsystem version is not 4.0"; fail=1; }
  grep -q '^[[:space:]]*TERMINAL_SERVICE_AWARE$' <<<"$dump" || { echo "$f: not terminal-server aware"; fail=1; }
  while read -r dll fn; do
    grep -Fxq "$dll $fn" <<<"$known" ||
      { echo "$exe imports $dll!$fn, not in tests/win9x_imports.txt (known on Windows 95, 98 and NT 4)"; fail=1; }
  done < <(awk '/^[[:space:]]*DLL Name:/ {dll = tolower($3); next} /^$/ {dll = ""}
                dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {print dll, $3}' <<<"$dump")
  while read -r dll; do
    if ! tr 'A-Z' 'a-z' <<<"$dll" | grep -Eq "$allowed"; then
      echo "$f imports $dll"; fail=1
    fi
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
  grep -Eq '^Time/Date[[:space:]]+(0+|Thu Jan  1 00:00:00 1970)$' <<<"$dump" || {
    echo "$f: link time stamp $(sed -n 's/^Time\/Date[[:space:]]*//p' <<<"$dump")"; fail=1; }
  echo "$exe: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '\n' ' ')"
}

# The CRC-32 the program's .gnu_debuglink holds, and that of the debug file it names.
debuglink_crcs() {  # EXE DEBUGFILE
  python3 - "$1" "$2" <<'PY'
import re, subprocess, sys, zlib
out = subprocess.run(["i686-w64-mingw32-objdump", "-s", "-j", ".gnu_debuglink", sys.argv[1]],
                     capture_output=True, text=True).stdout
data = b"".join(bytes.fromhex("".join(m.group(1).split()))
                for m in re.finditer(r"^ [0-9a-f]+ ((?:[0-9a-f]{2,8} ?){1,4})", out, re.M))
name_end = data.find(b"\0")
if name_end < 0 or len(data) < 4:
    print("none", "-"); sys.exit()
with open(sys.argv[2], "rb") as f:
    crc = zlib.crc32(f.read())
print(data[:name_end].decode(), int.from_bytes(data[-4:], "little") == crc)
PY
}

for exe in "${programs[@]}"; do
  [ -f "$bin/$exe" ] || { echo "$bin/$exe missing"; fail=1; continue; }
  check_headers "$bin/$exe"
done

if [ $release = 1 ]; then
  out=$2
  "$root/tools/dist.sh" "$bin" "$out" >/dev/null || { echo "dist.sh failed"; exit 1; }
  for exe in "${programs[@]}"; do
    f=$out/$exe
    check_headers "$f"
    sections=$(i686-w64-mingw32-objdump -h "$f" | awk '$1 ~ /^[0-9]+$/ {print $2}')
    if grep -q '^\.debug' <<<"$sections"; then
      echo "$f has debug sections: $(grep '^\.debug' <<<"$sections" | tr '\n' ' ')"; fail=1
    fi
    read -r name crc_ok < <(debuglink_crcs "$f" "$out/debug/$exe.debug")
    [ "$name" = "$exe.debug" ] || { echo "$f: debug link names '$name'"; fail=1; }
    [ "$crc_ok" = True ] || { echo "$f: debug link checksum does not match $out/debug/$exe.debug"; fail=1; }
    i686-w64-mingw32-objdump -h "$out/debug/$exe.debug" | grep -q ' \.debug_info ' ||
      { echo "$out/debug/$exe.debug holds no debug information"; fail=1; }
    for g in "$f" "$out/debug/$exe.debug"; do
      if grep -aqF -e "$root" -e "$(realpath "$bin")" "$g"; then echo "$g names a build folder"; fail=1; fi
    done
  done
  entries=$(unzip -Z1 "$out/veskor.zip" | tr '\n' ' ')
  [ "$entries" = "${programs[*]} " ] || { echo "veskor.zip holds: $entries"; fail=1; }
  (cd "$out" && sha256sum --quiet -c SHA256SUMS) || { echo "SHA256SUMS does not match"; fail=1; }
fi
exit $fail
