#!/usr/bin/env bash
# make dist: the installation folder DIST with the three programs (stripped),
# the release zip and SHA256SUMS; the programs' debug information in
# DIST/debug/NAME.debug, each program naming its debug file and its checksum
# (.gnu_debuglink), so that a crash address can be read. The same commit gives
# the same bytes in any folder: the zip's entries come in a fixed order with
# the commit's time and no owner or extra fields.
#   dist.sh BIN DIST
# Signing (Authenticode, SHA-256, with osslsigncode), when both are named:
#   VESKOR_SIGN_PKCS12          the code-signing certificate and its key (.p12/.pfx)
#   VESKOR_SIGN_PASSWORD_FILE   a file whose first line is its password
#   VESKOR_SIGN_TIMESTAMP       optional: an RFC 3161 time-stamp server's URL
#   VESKOR_SIGN_URL             optional: a web address shown with the signature
# The certificate is checked before anything is signed; the release is made in
# a folder beside DIST and moved into place only when complete, so a failure
# leaves no DIST at all (and never a half-signed one). Without a certificate
# the release is the unsigned one, byte for byte as before.
set -euo pipefail
bin=$(realpath "$1")
dist=$(realpath -m "$2")
export TZ=UTC LC_ALL=C
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$(dirname "$0")" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH
. "$(dirname "$0")/release_programs.sh"
die() { echo "dist: $*" >&2; exit 1; }

rm -rf "$dist"
pkcs12=${VESKOR_SIGN_PKCS12:-} passfile=${VESKOR_SIGN_PASSWORD_FILE:-}
signing=0
if [ -n "$pkcs12" ] || [ -n "$passfile" ]; then
  [ -n "$pkcs12" ] && [ -n "$passfile" ] ||
    die "signing needs both VESKOR_SIGN_PKCS12 and VESKOR_SIGN_PASSWORD_FILE"
  [ -r "$pkcs12" ] || die "cannot read the certificate file $pkcs12 (VESKOR_SIGN_PKCS12)"
  [ -r "$passfile" ] || die "cannot read the password file $passfile (VESKOR_SIGN_PASSWORD_FILE)"
  command -v osslsigncode >/dev/null || die "signing needs osslsigncode (tools/install-deps.sh installs it)"
  signing=1
fi

work=$dist.part.$$
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# The certificate, before anything is signed: it opens with the password, it
# is for code signing, and it is valid now.
if [ $signing = 1 ]; then
  leaf=$work/signer.pem
  openssl pkcs12 -in "$pkcs12" -passin "file:$passfile" -nokeys -clcerts -out "$leaf" 2>/dev/null ||
    openssl pkcs12 -legacy -in "$pkcs12" -passin "file:$passfile" -nokeys -clcerts -out "$leaf" 2>/dev/null ||
    die "cannot open $pkcs12 with the password in $passfile: wrong password, or not a PKCS#12 file; nothing signed"
  grep -q 'BEGIN CERTIFICATE' "$leaf" || die "$pkcs12 holds no certificate of its own; nothing signed"
  subject=$(openssl x509 -in "$leaf" -noout -subject -nameopt oneline | sed 's/^subject= *//')
  openssl x509 -in "$leaf" -noout -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' ||
    die "the certificate \"$subject\" is not for code signing (its extended key usage lacks Code Signing); nothing signed"
  openssl x509 -in "$leaf" -noout -checkend 0 >/dev/null ||
    die "the certificate \"$subject\" has expired or is not yet valid; nothing signed"
  rm -f "$leaf"
fi

mkdir -p "$work/debug"
for exe in "${programs[@]}"; do
  [ -f "$bin/$exe" ] || die "$bin/$exe is missing"
  # objcopy stamps the PE header it writes with SOURCE_DATE_EPOCH (else the
  # current time): 0, as the linker leaves it.
  SOURCE_DATE_EPOCH=0 i686-w64-mingw32-objcopy --only-keep-debug "$bin/$exe" "$work/debug/$exe.debug"
  (cd "$work/debug" && SOURCE_DATE_EPOCH=0 i686-w64-mingw32-objcopy --strip-all \
     --add-gnu-debuglink="$exe.debug" "$bin/$exe" "../$exe")
  if [ $signing = 1 ]; then
    desc=$(description "$exe") || die "no description (VER_DESC) for $exe in ${program_rc[$exe]}"
    args=(sign -pkcs12 "$pkcs12" -readpass "$passfile" -h sha256 -n "$desc")
    [ -n "${VESKOR_SIGN_URL:-}" ] && args+=(-i "$VESKOR_SIGN_URL")
    [ -n "${VESKOR_SIGN_TIMESTAMP:-}" ] && args+=(-ts "$VESKOR_SIGN_TIMESTAMP")
    osslsigncode "${args[@]}" -in "$work/$exe" -out "$work/$exe.signed" >"$work/sign.log" 2>&1 ||
      { cat "$work/sign.log" >&2; die "signing $exe failed; nothing released"; }
    mv "$work/$exe.signed" "$work/$exe"
    echo "signed $exe: $desc${VESKOR_SIGN_TIMESTAMP:+, time-stamped by $VESKOR_SIGN_TIMESTAMP}"
  fi
done
rm -f "$work/sign.log"
chmod 0644 "$work"/*.EXE "$work"/debug/*.debug
touch -d "@$SOURCE_DATE_EPOCH" "$work"/*.EXE "$work"/debug/*.debug
(cd "$work" && zip -q -X -D veskor.zip "${programs[@]}")
(cd "$work" && sha256sum "${programs[@]}" veskor.zip >SHA256SUMS)
mv "$work" "$dist"
trap - EXIT
cat "$dist/SHA256SUMS"
