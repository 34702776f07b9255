#!/usr/bin/env bash
# The signed release, end to end (ctest "sign.release"):
#   sign_release.sh BIN WORK TEMPLATE
# BIN: the Windows build's programs; WORK: a scratch folder (emptied first);
# TEMPLATE: the win32 Wine template prefix of the end-to-end tests.
#  1. A throwaway certificate authority, a code-signing certificate and a
#     TLS server certificate (not for code signing), made with openssl and
#     never kept, each certificate in a PKCS#12 file with a password file.
#     Their dates follow the commit's time, not the day the test runs.
#  2. tools/dist.sh unsigned and signed from BIN (no second build), and signed
#     again as a release of a commit a year older would be; the signed
#     release's three programs verify against the authority with osslsigncode,
#     and tools/check-release.sh passes them: SHA256SUMS, signatures, and the
#     unsigned reproducible build plus a signature.
#  3. A signed program changed by one byte (its SHA256SUMS line made to match)
#     fails the check with its own line; a CA file of another authority fails.
#     Programs validly signed with the release's certificate that are not the
#     unsigned build plus a signature fail with their own lines: a resource
#     changed before signing, eight bytes added before the signature, non-zero
#     bytes where the padding goes, data after the signature. Zero padding
#     that aligns the signature passes.
#  4. A wrong password, and a certificate that is not for code signing, stop
#     dist.sh with a clear error and leave no release folder.
#  5. Under Wine: WinVerifyTrust (WINTRUST_ACTION_GENERIC_VERIFY_V2) after the
#     authority was added to the machine Root store: 0 for the signed programs
#     (also those of the release dated a year back),
#     TRUST_E_BAD_DIGEST for the changed one, TRUST_E_NOSIGNATURE for the
#     unsigned ones; the signer's chain is untrusted before the authority is
#     added and trusted after. Then the signed VESKORCFG.EXE, VESKOR.EXE and
#     VESKOR1.EXE start (the demo's whole road: VESKOR.EXE -> VESKOR1.EXE -> the
#     stand-in console application).
set -uo pipefail
bin=$(realpath "$1")
work=$(realpath -m "$2")
template=$(realpath -m "$3")
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/release_programs.sh"
fail=0
t0=$SECONDS
ok() { echo "ok    $*"; }
bad() { echo "FAIL  $*"; fail=1; }
expect() { if eval "$2"; then ok "$1"; else bad "$1"; fi; }  # WHAT CONDITION
rm -rf "$work"
mkdir -p "$work/pki"
cd "$work" || exit 1
# The signing variables of whoever runs the tests play no part.
unset VESKOR_SIGN_PKCS12 VESKOR_SIGN_PASSWORD_FILE VESKOR_SIGN_TIMESTAMP VESKOR_SIGN_URL

# 1. Throwaway certificates.
# Issued by "openssl ca" so that their dates can be chosen. Wine's
# WinVerifyTrust judges the signer's chain as of the signed file's last-write
# time, and the release's files carry the commit's time, however old the
# commit is. So the certificates start well before the commit (a year and a
# month: the aged release below is dated a year back) and end two days after
# now or the commit, whichever is later (dist.sh and osslsigncode check them
# as of now). Nothing here depends on the day the test runs.
cat >pki/ext.cnf <<'CNF'
[req]
distinguished_name = dn
[dn]
[ca]
default_md = sha256
database = pki/index.txt
new_certs_dir = pki
serial = pki/serial
policy = any
[any]
commonName = supplied
organizationName = optional
[root]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[codesign]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
[server]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CNF
: >pki/index.txt
echo 01 >pki/serial
commit_time=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
year=$((365 * 86400))
now=$(date +%s)
stamp() { TZ=UTC date -d "@$1" +%Y%m%d%H%M%SZ; }
dates=(-startdate "$(stamp $((commit_time - year - 30 * 86400)))"
       -enddate "$(stamp $(( (now > commit_time ? now : commit_time) + 2 * 86400 )))")
request() {  # NAME: a key and a certificate request
  openssl req -new -newkey rsa:2048 -nodes -keyout "pki/$1.key" -out "pki/$1.csr" -subj "/CN=Veskor Test $1/O=Test" \
    -config pki/ext.cnf 2>/dev/null
}
make_ca() {  # NAME: a self-signed authority
  request "$1" && openssl ca -batch -notext -config pki/ext.cnf -name ca -selfsign -keyfile "pki/$1.key" \
    -in "pki/$1.csr" -out "pki/$1.pem" -extensions root "${dates[@]}" 2>/dev/null
}
make_cert() {  # NAME EXTENSIONS: issued by pki/ca, with its PKCS#12 file and password file
  request "$1" &&
  openssl ca -batch -notext -config pki/ext.cnf -name ca -cert pki/ca.pem -keyfile pki/ca.key \
    -in "pki/$1.csr" -out "pki/$1.pem" -extensions "$2" "${dates[@]}" 2>/dev/null &&
  openssl rand -hex 12 >"pki/$1.pass" &&
  openssl pkcs12 -export -inkey "pki/$1.key" -in "pki/$1.pem" -certfile pki/ca.pem \
    -passout "file:pki/$1.pass" -out "pki/$1.p12"
}
make_ca ca && make_ca other && make_cert codesign codesign && make_cert server server &&
  openssl x509 -in pki/ca.pem -outform DER -out pki/ca.der || { echo "FAIL  cannot make the certificates"; exit 1; }
ok "throwaway authority and certificates made ($((SECONDS - t0)) s)"

# 2. The releases.
"$root/tools/dist.sh" "$bin" unsigned >/dev/null || { echo "FAIL  unsigned dist.sh"; exit 1; }
VESKOR_SIGN_PKCS12=pki/codesign.p12 VESKOR_SIGN_PASSWORD_FILE=pki/codesign.pass \
  "$root/tools/dist.sh" "$bin" signed >signed.log 2>&1 || { cat signed.log; echo "FAIL  signed dist.sh"; exit 1; }
# The same release as made from a commit a year old: its files are dated then.
SOURCE_DATE_EPOCH=$((commit_time - year)) VESKOR_SIGN_PKCS12=pki/codesign.p12 VESKOR_SIGN_PASSWORD_FILE=pki/codesign.pass \
  "$root/tools/dist.sh" "$bin" aged >aged.log 2>&1 || { cat aged.log; echo "FAIL  aged dist.sh"; exit 1; }
ok "unsigned, signed and aged releases made ($((SECONDS - t0)) s)"
for exe in "${programs[@]}"; do
  expect "$exe verifies against the authority (osslsigncode)" \
    "osslsigncode verify -in signed/$exe -CAfile pki/ca.pem >verify.log 2>&1 && grep -q 'Signature verification: ok' verify.log"
  expect "$exe is in veskor.zip signed" "unzip -p signed/veskor.zip $exe | cmp -s - signed/$exe"
done
expect "the description is in the signature" "grep -q 'Text description: Keldrin Veskor Console Window Launcher' <(osslsigncode verify -in signed/VESKOR1.EXE -CAfile pki/ca.pem 2>&1)"
expect "SHA256SUMS holds the signed programs" "(cd signed && sha256sum --quiet -c SHA256SUMS)"
"$root/tools/check-release.sh" --ca pki/ca.pem --reference unsigned signed >check.log 2>&1; status=$?
cat check.log
expect "check-release passes the signed release" "[ $status = 0 ] && [ \$(grep -c ': OK: SHA256SUMS, signature of' check.log) = 3 ]"

# 3. Changed after signing, and another authority.
release_with() {  # DIR EXE FILE: the signed release with EXE replaced by FILE, its zip and sums made again
  rm -rf "$1" && cp -a signed "$1" && cp "$3" "$1/$2" &&
    (cd "$1" && rm veskor.zip && zip -q -X -D veskor.zip "${programs[@]}" && sha256sum "${programs[@]}" veskor.zip >SHA256SUMS)
}
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
mkdir -p variants
f=variants/changed.EXE
cp signed/VESKOR1.EXE $f
pe=$(u32 $f 60)
optsize=$(od -An -tu2 -j $((pe + 20)) -N2 $f | tr -d ' ')
offset=$(( $(u32 $f $((pe + 24 + optsize + 20))) + 0x100 ))   # in the first section (code)
byte=$(od -An -tu1 -j "$offset" -N1 $f | tr -d ' ')
printf "\\$(printf %03o $(( (byte + 1) % 256 )))" | dd of=$f bs=1 seek="$offset" conv=notrunc status=none
release_with tampered VESKOR1.EXE $f
"$root/tools/check-release.sh" --ca pki/ca.pem --reference unsigned tampered >tampered.log 2>&1; status=$?
cat tampered.log
expect "a program changed by one byte fails the check with its own line" \
  "[ $status != 0 ] && grep -q '^VESKOR1.EXE: FAILED: .*the signature does not verify' tampered.log && [ \$(grep -c ': OK: ' tampered.log) = 3 ]"
"$root/tools/check-release.sh" --ca pki/other.pem --reference unsigned signed >other.log 2>&1; status=$?
expect "another authority's CA file fails the check" "[ $status != 0 ] && [ \$(grep -c 'EXE: FAILED: the signature does not verify' other.log) = 3 ]"
"$root/tools/check-release.sh" --ca pki/ca.pem --reference unsigned unsigned >unsigned.log 2>&1; status=$?
expect "an unsigned release fails the check as not signed" "[ $status != 0 ] && [ \$(grep -c 'EXE: FAILED: not signed' unsigned.log) = 3 ]"

# Validly signed with the release's certificate, yet not the unsigned build
# plus a signature. Each row puts one program into the signed release and
# checks it against the unsigned release, or against "odd", whose VESKOR1.EXE
# is made 5 bytes over a multiple of 8 (by bytes added where needed), so that
# its signature follows 3 bytes of padding: the program gets exactly the
# row's line (a FAILED line naming only that rule, so its signature
# verified), every other program passes.
row() {  # WHAT REFERENCE EXE FILE LINE (an extended regular expression)
  local status oks want
  release_with forged "$3" "$4" || { bad "$1 (cannot make the release)"; return; }
  "$root/tools/check-release.sh" --ca pki/ca.pem --reference "$2" forged >forged.log 2>&1; status=$?
  oks=$(grep -c ': OK: ' forged.log)
  case $5 in *": OK: "*) want=0:4 ;; *) want=1:3 ;; esac
  if grep -Eqx "$5" forged.log && [ "$status:$oks" = "$want" ]; then ok "$1"; else cat forged.log; bad "$1"; fi
}
sign_as_release() {  # IN OUT
  osslsigncode sign -pkcs12 pki/codesign.p12 -readpass pki/codesign.pass -h sha256 -in "$1" -out "$2" >/dev/null
}
# FileDescription "Keldrin Veskor Client" in the version resource, UTF-16: its last letter changed.
perl -0777 -pe 's/C\0l\0i\0e\0n\0t\0\0\0/C\0l\0i\0e\0n\0T\0\0\0/' unsigned/VESKOR.EXE >variants/resource.EXE
at=$(cmp unsigned/VESKOR.EXE variants/resource.EXE | sed -n 's/.* byte \([0-9]*\).*/\1/p')
mkdir -p odd && cp unsigned/*.EXE odd/
printf abcdefg | head -c $(( (13 - $(stat -c %s odd/VESKOR1.EXE) % 8) % 8 )) >>odd/VESKOR1.EXE
{ cat unsigned/VESKORCFG.EXE; head -c 8 /dev/zero; } >variants/long.EXE
{ cat odd/VESKOR1.EXE; printf XYZ; } >variants/nonzero.EXE
{ cat signed/VESKORCFG.EXE; printf trailing; } >variants/trailing.EXE
sign_as_release variants/resource.EXE variants/resource.signed && sign_as_release odd/VESKOR1.EXE variants/odd.signed &&
  sign_as_release variants/long.EXE variants/long.signed && sign_as_release variants/nonzero.EXE variants/nonzero.signed ||
  bad "cannot sign the variants"
[ -n "$at" ] || bad "the description in VESKOR.EXE's version resource was not found to change"
unsigned_build="not the unsigned build in .* plus a signature"
row "a resource changed, then signed with the release's certificate, fails on its own" unsigned \
  VESKOR.EXE variants/resource.signed "VESKOR.EXE: FAILED: $unsigned_build: differs from the unsigned build at byte $at"
row "eight bytes more before the signature fail" unsigned VESKORCFG.EXE variants/long.signed \
  "VESKORCFG.EXE: FAILED: $unsigned_build: the part before the signature is [0-9]+ bytes, the unsigned build [0-9]+"
row "non-zero bytes where the padding goes fail" odd VESKOR1.EXE variants/nonzero.signed \
  "VESKOR1.EXE: FAILED: $unsigned_build: non-zero padding before the signature"
row "data after the signature fails" unsigned VESKORCFG.EXE variants/trailing.EXE \
  "VESKORCFG.EXE: FAILED: (the signature does not verify .*; )?$unsigned_build: data after the certificate table"
row "zero bytes that align the signature pass" odd VESKOR1.EXE variants/odd.signed "VESKOR1.EXE: OK: .*"

# 4. Refused certificates.
echo "not-the-password" >pki/wrong.pass
VESKOR_SIGN_PKCS12=pki/codesign.p12 VESKOR_SIGN_PASSWORD_FILE=pki/wrong.pass \
  "$root/tools/dist.sh" "$bin" wrongpass >wrongpass.log 2>&1; status=$?
cat wrongpass.log
expect "a wrong password stops dist.sh and leaves no release" \
  "[ $status != 0 ] && grep -q 'wrong password' wrongpass.log && [ ! -e wrongpass ] && ! ls -d wrongpass.part.* >/dev/null 2>&1"
VESKOR_SIGN_PKCS12=pki/server.p12 VESKOR_SIGN_PASSWORD_FILE=pki/server.pass \
  "$root/tools/dist.sh" "$bin" server >server.log 2>&1; status=$?
cat server.log
expect "a certificate not for code signing stops dist.sh and leaves no release" \
  "[ $status != 0 ] && grep -q 'not for code signing' server.log && [ ! -e server ] && ! ls -d server.part.* >/dev/null 2>&1"
ok "release checks done ($((SECONDS - t0)) s)"

# 5. Under Wine: the signed programs beside the rest of the build.
mkdir -p wbin
for f in "$bin"/*; do ln -s "$f" "wbin/$(basename "$f")"; done
for exe in "${programs[@]}"; do rm "wbin/$exe"; cp "signed/$exe" "wbin/$exe"; done
export VESKOR_WIN32_BIN=$work/wbin VESKOR_WINE_ARCH=win32 VESKOR_WINE_TEMPLATE=$template VESKOR_OUT_DIR=$work/e2e-out
session=$root/tests/e2e/wine-session.sh
"$session" start "$work/session" >/dev/null || { echo "FAIL  cannot start the Wine session"; exit 1; }
win() { echo "Z:${1//\//\\}"; }
"$session" run "$work/session" trustprobe.exe verify "$(win "$work/signed/VESKOR.EXE")" >before.log 2>&1
"$session" run "$work/session" trustprobe.exe addroot "$(win "$work/pki/ca.der")" >addroot.log 2>&1
args=()
for exe in "${programs[@]}"; do args+=("$(win "$work/signed/$exe")"); done
for exe in "${programs[@]}"; do args+=("$(win "$work/aged/$exe")"); done
args+=("$(win "$work/tampered/VESKOR1.EXE")" "$(win "$work/unsigned/VESKOR.EXE")")
"$session" run "$work/session" trustprobe.exe verify "${args[@]}" >trust.log 2>&1
cat before.log addroot.log trust.log
expect "before the authority is in the Root store, the signer's chain is untrusted (CERT_E_UNTRUSTEDROOT)" \
  "grep -q 'chain 0x800B0109 ' before.log"
expect "WinVerifyTrust: 0 and a trusted chain for the three signed programs" \
  "[ \$(grep -c '^0x00000000 chain 0x00000000 .*signed.VESKOR' trust.log) = 3 ]"
expect "WinVerifyTrust: 0 and a trusted chain for the release dated a year back" \
  "[ \$(grep -c '^0x00000000 chain 0x00000000 .*aged.VESKOR' trust.log) = 3 ]"
expect "WinVerifyTrust: TRUST_E_BAD_DIGEST for the changed program" "grep -q '^0x80096010 .*tampered' trust.log"
expect "WinVerifyTrust: TRUST_E_NOSIGNATURE for the unsigned program" "grep -q '^0x800B0100 .*unsigned' trust.log"
"$session" run "$work/session" demo.exe demo whole_road >start.log 2>&1; status=$?
grep -E 'VESKOR.EXE ended|VESKOR1.EXE started|passed,|^    ' start.log
expect "the signed VESKORCFG.EXE, VESKOR.EXE and VESKOR1.EXE start under Wine" "[ $status = 0 ]"
"$session" stop "$work/session"
[ -n "${KEEP_PKI:-}" ] || rm -rf "$work/pki"
echo "$([ $fail = 0 ] && echo passed || echo FAILED) in $((SECONDS - t0)) s"
exit $fail
