# The programs a release holds, sourced by the release scripts (dist, repro,
# check-release and their tests). Each program is named once here, in the order
# veskor.zip and SHA256SUMS list them, with the resource script that builds
# its version block; its description is that block's VER_DESC, so the
# signature shows what the file's properties show.
#   programs           the names, in release order
#   description NAME   the program's description (fails when there is none)
release_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
programs=()
declare -gA program_rc=()
while read -r name rc; do
  programs+=("$name")
  program_rc[$name]=$rc
done <<'LIST'
VESKOR.EXE     client/res/veskor.rc
VESKOR1.EXE    zmv/res/zmv.rc
VESKORCFG.EXE  config/res/veskorcfg.rc
LIST

description() {
  local text
  text=$(sed -n 's/^#define VER_DESC "\(.*\)"[[:space:]]*$/\1/p' "$release_root/${program_rc[$1]:-none}" 2>/dev/null)
  [ -n "$text" ] && echo "$text"
}
