#!/usr/bin/env bash
# make check-release: checks a release folder as make dist leaves it.
#   check-release.sh [--ca CAFILE] [--tsa-ca CAFILE] (--reference DIR | --bin BIN) RELEASE
# For each program, and one line each:
#   - its SHA-256 is the one SHA256SUMS names (and veskor.zip's too, and the
#     zip holds exactly the folder's programs);
#   - its Authenticode signature verifies (osslsigncode verify), against CAFILE
#     when given, else against the system's certificate authorities;
#   - it is exactly the unsigned reproducible build plus a signature: compared
#     with the unsigned release DIR (--reference), or with one made here by
#     tools/dist.sh from the Windows build in BIN of the checked-out commit.
# The comparison rule (signing changes three things and adds one): in the
# signed program, the certificate table the security directory names must be
# the last thing in the file; what comes before it must be the unsigned
# program byte for byte, followed only by the zero bytes (fewer than 8) that
# align the table to 8 bytes; and the two header fields that signing rewrites
# are set to zero in both before comparing: the optional header's CheckSum
# and the security directory entry (offset and size of the table). So every
# byte of code, data, resources and headers that Windows runs is the
# reproducible build's.
# Ends with "release ...: all checks hold" or a count of problems, and exits
# non-zero when anything does not hold.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ca="" tsaca="" reference="" bin=""
while [ $# -gt 1 ]; do
  case $1 in
    --ca) ca=$2; shift 2 ;;
    --tsa-ca) tsaca=$2; shift 2 ;;
    --reference) reference=$2; shift 2 ;;
    --bin) bin=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# = 1 ] || { echo "usage: $0 [--ca CAFILE] [--tsa-ca CAFILE] (--reference DIR | --bin BIN) RELEASE" >&2; exit 2; }
release=$(realpath -m "$1")
. "$root/tools/release_programs.sh"
[ -d "$release" ] || { echo "check-release: $release is not a folder" >&2; exit 2; }
[ -z "$ca" ] || [ -r "$ca" ] || { echo "check-release: cannot read the CA file $ca" >&2; exit 2; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

commit=$(git -C "$root" rev-parse --short=12 HEAD 2>/dev/null || echo unknown)
if [ -z "$reference" ]; then
  [ -n "$bin" ] || { echo "check-release: give --reference DIR or --bin BIN" >&2; exit 2; }
  reference=$tmp/reference
  echo "making the unsigned reproducible release of commit $commit from $bin"
  env -u VESKOR_SIGN_PKCS12 -u VESKOR_SIGN_PASSWORD_FILE "$root/tools/dist.sh" "$bin" "$reference" >/dev/null ||
    { echo "check-release: cannot make the unsigned release" >&2; exit 2; }
  [ -z "$(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null)" ] ||
    echo "note: the checkout has uncommitted changes; the reference is built from them"
  built="the reproducible build of $commit"
else
  reference=$(realpath "$reference")
  built="the unsigned build in $reference"
fi

u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }   # FILE OFFSET: little-endian 32-bit value
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
zero() { printf '\0\0\0\0\0\0\0\0' | head -c "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

# pe_layout FILE: sets opt and dirs (where the optional header and its data
# directories start) and secoff and secsize (the security directory entry:
# where the certificate table lies, 0 0 when there is none); fails, with the
# reason in layout_error, when FILE is not a PE file this can read.
pe_layout() {
  local pe
  layout_error=""
  pe=$(u32 "$1" 60)
  [ -n "$pe" ] && [ "$(u32 "$1" "$pe")" = 17744 ] || { layout_error="not a PE file"; return 1; }
  opt=$((pe + 24))
  case $(u16 "$1" "$opt") in
    267) dirs=$((opt + 96)) ;;
    523) dirs=$((opt + 112)) ;;
    *) layout_error="unknown optional header"; return 1 ;;
  esac
  secoff=$(u32 "$1" $((dirs + 32))) secsize=$(u32 "$1" $((dirs + 36)))
  [ -n "$secoff" ] && [ -n "$secsize" ] || { layout_error="its header is cut short"; return 1; }
}

# signature_plus SIGNED UNSIGNED: succeeds when SIGNED, whose pe_layout is
# read, is UNSIGNED plus a signature under the rule above; else says what
# differs.
signature_plus() {
  local s=$1 u=$2 ssize usize
  ssize=$(stat -c %s "$s") usize=$(stat -c %s "$u")
  [ $((secoff + secsize)) -le "$ssize" ] || { echo "the certificate table runs past the end of the file"; return 1; }
  [ $((secoff + secsize)) = "$ssize" ] || { echo "data after the certificate table"; return 1; }
  [ "$secoff" -ge "$usize" ] && [ $((secoff - usize)) -lt 8 ] ||
    { echo "the part before the signature is $secoff bytes, the unsigned build $usize"; return 1; }
  tail -c +$((usize + 1)) "$s" | head -c $((secoff - usize)) | cmp -s - <(head -c $((secoff - usize)) /dev/zero) ||
    { echo "non-zero padding before the signature"; return 1; }
  head -c "$usize" "$s" >"$tmp/s" && cp "$u" "$tmp/u"
  for f in "$tmp/s" "$tmp/u"; do zero "$f" $((opt + 64)) 4; zero "$f" $((dirs + 32)) 8; done
  cmp -s "$tmp/s" "$tmp/u" && return
  echo "differs from the unsigned build at byte $(cmp "$tmp/s" "$tmp/u" | sed -n 's/.* byte \([0-9]*\).*/\1/p')"
  return 1
}

# Each verdict is the exit status of its checks; these only print it.
problems=0
passed() { echo "$1: OK: $2"; }
failed() { echo "$1: FAILED: $2"; problems=$((problems + 1)); }

sums=$release/SHA256SUMS
[ -r "$sums" ] || failed SHA256SUMS missing
sum_ok() {  # NAME: its SHA-256 matches its line in SHA256SUMS
  local want
  want=$(awk -v n="$1" '$2 == n || $2 == "*" n {print tolower($1)}' "$sums" 2>/dev/null | head -1)
  [ -n "$want" ] && [ -f "$release/$1" ] && [ "$(sha256sum <"$release/$1" | cut -c1-64)" = "$want" ]
}

for exe in "${programs[@]}"; do
  f=$release/$exe
  if [ ! -f "$f" ]; then failed "$exe" "missing from the release"; continue; fi
  why=()
  sum_ok "$exe" || why+=("its SHA-256 is not the one in SHA256SUMS")
  # Signed means a certificate table in the header; whether it verifies is
  # osslsigncode's exit status. Its words are only shown: the signer, and on
  # failure the first line that says what failed.
  if ! pe_layout "$f"; then
    why+=("$layout_error")
  elif [ "$secoff" = 0 ] || [ "$secsize" = 0 ]; then
    why+=("not signed")
  else
    verify=(osslsigncode verify -in "$f")
    [ -n "$ca" ] && verify+=(-CAfile "$ca")
    [ -n "$tsaca" ] && verify+=(-TSA-CAfile "$tsaca")
    if "${verify[@]}" >"$tmp/verify" 2>&1; then
      signer=$(sed -n 's/^[[:space:]]*Subject: *//p' "$tmp/verify" | head -1)
    else
      reason=$(grep -m1 -i 'mismatch\|failed\|error' "$tmp/verify" | sed 's/^[[:space:]]*//; s/[[:space:]]\+/ /g')
      why+=("the signature does not verify${reason:+ ($reason)}")
    fi
    if [ ! -f "$reference/$exe" ]; then
      why+=("no unsigned build to compare with")
    elif ! diff=$(signature_plus "$f" "$reference/$exe"); then
      why+=("not $built plus a signature: $diff")
    fi
  fi
  if [ ${#why[@]} = 0 ]; then
    passed "$exe" "SHA256SUMS, signature of $signer${ca:+ verified against $(basename "$ca")}, $built plus a signature"
  else
    failed "$exe" "$(IFS=';'; echo "${why[*]}" | sed 's/;/; /g')"
  fi
done

zipwhy=()
sum_ok veskor.zip || zipwhy+=("its SHA-256 is not the one in SHA256SUMS")
for exe in "${programs[@]}"; do
  unzip -p "$release/veskor.zip" "$exe" 2>/dev/null | cmp -s - "$release/$exe" || zipwhy+=("its $exe is not the folder's")
done
[ "$(unzip -Z1 "$release/veskor.zip" 2>/dev/null | tr '\n' ' ')" = "${programs[*]} " ] || zipwhy+=("it holds other entries than ${programs[*]}")
if [ ${#zipwhy[@]} = 0 ]; then passed veskor.zip "SHA256SUMS, ${programs[*]}"; else
  failed veskor.zip "$(IFS=';'; echo "${zipwhy[*]}" | sed 's/;/; /g')"; fi

if [ $problems = 0 ]; then echo "release $release: all checks hold"; exit 0; fi
echo "release $release: $problems problem(s)"
exit 1
