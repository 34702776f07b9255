#!/usr/bin/env bash
# Installs the build and test tool chain when something is missing. Safe to run again.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_ok() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have g++ || need+=(g++)
have cmake || need+=(cmake)
have ninja || need+=(ninja-build)
have clang++ || need+=(clang)
have i686-w64-mingw32-g++-posix || have i686-w64-mingw32-g++ || need+=(mingw-w64)
have i686-w64-mingw32-windres || need+=(binutils-mingw-w64-i686)
pkg_ok gcc-multilib || need+=(gcc-multilib)     # the 32-bit fault library of the Wine sessions
have Xvfb || need+=(xvfb)
have zip || need+=(zip)
have unzip || need+=(unzip)
have python3 || need+=(python3)
have openssl || need+=(openssl)
have osslsigncode || need+=(osslsigncode)      # Authenticode signing in make dist
pkg_ok googletest || pkg_ok libgtest-dev || need+=(googletest)
pkg_ok libclang-rt-14-dev || need+=(libclang-rt-14-dev)
pkg_ok x11-apps || need+=(x11-apps)            # xwd, for screenshots
pkg_ok netpbm || need+=(netpbm)                # xwdtopnm / pnmtopng
pkg_ok wine32 || need+=(wine32:i386 wine)
pkg_ok wine64 || need+=(wine64)                # the 64-bit prefix (the programs under the 32-bit layer)

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if printf '%s\n' "${need[@]}" | grep -q ':i386'; then
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
fi
echo "installing: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync serves an index that does not match its
# release file for a while: try again after a pause. If it still does not, the
# index it serves is taken as it is (with a warning: it is not checked against
# the signed release file), since without the foreign architecture's index the
# Wine packages cannot be matched with the installed libraries. The install
# itself says what is still missing.
log=$(mktemp)
for attempt in 1 2 3 4; do
  $SUDO apt-get update -qq 2>"$log" && break
  cat "$log" >&2
  [ "$attempt" -eq 4 ] || sleep $((attempt * 15))
done
for url in $(sed -n 's/^E: Failed to fetch \(http[^ ]*\.xz\)  File has unexpected size.*/\1/p' "$log" | sort -u); do
  list=/var/lib/apt/lists/$(echo "${url#*://}" | sed 's/\.xz$//; s|/|_|g')
  echo "warning: using the unchecked index $url (the mirror is being synced)" >&2
  curl -fsSL "$url" | xz -dc | $SUDO tee "$list" >/dev/null || echo "warning: $url could not be used" >&2
done
rm -f "$log"
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
