#!/usr/bin/env bash
# make repro: clones the current commit twice, into folders of different names
# and depths under WORK, runs "make dist" in each and compares what they leave
# byte for byte: every file either leaves (programs, zip, SHA256SUMS, debug
# files), and that both leave the same files. Uncommitted changes
# are not part of the comparison.
#   repro.sh WORK
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(realpath -m "$1")
commit=$(git -C "$root" rev-parse HEAD)
rm -rf "$work"
mkdir -p "$work"
builds=("$work/a" "$work/second/release-build")
for dir in "${builds[@]}"; do
  mkdir -p "$(dirname "$dir")"
  git clone -q --no-checkout "$root" "$dir"
  git -C "$dir" checkout -q --detach "$commit"
  echo "make dist in $dir"
  # The unsigned release: a signature differs from run to run.
  env -u VESKOR_SIGN_PKCS12 -u VESKOR_SIGN_PASSWORD_FILE \
    make -C "$dir" dist JOBS="${JOBS:-$(nproc)}" >"$dir.log" 2>&1 || { tail -20 "$dir.log"; exit 1; }
done
echo "commit $commit"
status=0
listing() { (cd "$1/dist" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
if [ "$(listing "${builds[0]}")" != "$(listing "${builds[1]}")" ]; then
  echo "DIFFERENT lists of files:"; diff <(listing "${builds[0]}") <(listing "${builds[1]}") || true; status=1
fi
for f in $(listing "${builds[0]}"); do
  one=${builds[0]}/dist/$f two=${builds[1]}/dist/$f
  if cmp -s "$one" "$two"; then
    echo "same      $(sha256sum <"$one" | cut -c1-64)  $f"
  else
    echo "DIFFERENT $f"; status=1
  fi
done
[ $status = 0 ] && echo "reproducible: both builds are byte for byte the same"
exit $status
