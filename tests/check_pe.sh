#!/usr/bin/env bash
# Checks the built programs' headers: 32-bit, GUI subsystem, and imports from
# system DLLs only (no compiler runtime DLLs).
set -u
bin=$1
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|msvcrt|version)\.dll$'
fail=0
checked=0
for exe in VESKOR.EXE VESKOR1.EXE VESKORCFG.EXE; do
  f=$bin/$exe
  [ -f "$f" ] || continue
  checked=$((checked + 1))
  dump=$(i686-w64-mingw32-objdump -p "$f")
  grep -q 'file format pei-i386' <<<"$dump" || { echo "$exe: not a 32-bit PE"; fail=1; }
  grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || { echo "$exe: not GUI subsystem"; fail=1; }
  while read -r dll; do
    if ! tr 'A-Z' 'a-z' <<<"$dll" | grep -Eq "$allowed"; then
      echo "$exe imports $dll"; fail=1
    fi
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
  echo "$exe: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '\n' ' ')"
done
[ "$checked" -gt 0 ] || { echo "no programs in $bin"; exit 1; }
exit $fail
