#!/usr/bin/env bash
# One Wine session for the end-to-end tests: an Xvfb display, a private prefix
# copied from a template, and one wineserver that lives until "stop".
#   wine-session.sh start STATE      set up (creates the template once)
#   wine-session.sh run STATE PROG [ARGS...]
#                                    runs PROG (a program of the Windows build)
#   wine-session.sh stop STATE       ends the wineserver and the display, removes the prefix
# Needs VESKOR_WIN32_BIN (the Windows build's program folder); VESKOR_WINE_TEMPLATE
# names the template prefix (default: STATE/../wine-template). VESKOR_WINE_ARCH
# is win32 (default: a 32-bit Windows) or win64 (a 64-bit Windows 10, where the
# 32-bit programs run under the 32-bit layer); keep one template per architecture.
# VESKOR_WINE_DPI, when set, is the display scale of the session's user
# (LogPixels, read by the wineserver when it starts). VESKOR_FAULT_PRELOAD,
# when set, is preloaded into the session's server and programs (the fault
# library, with "$LIB" for the word size).
set -euo pipefail
cmd=$1
state=$(realpath -m "$2")
shift 2
template=$(realpath -m "${VESKOR_WINE_TEMPLATE:-$state/../wine-template}")
arch=${VESKOR_WINE_ARCH:-win32}
case $arch in win32|win64) ;; *) echo "VESKOR_WINE_ARCH must be win32 or win64" >&2; exit 2 ;; esac

# Wine takes the Windows locale and code pages from the Unix locale and the
# local time from TZ: both are fixed, so that the sessions behave the same
# whatever the machine that runs the tests is set to.
fixed_place="LC_ALL=C.UTF-8 TZ=UTC"
wine_env() {
  export $fixed_place WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$1"
}

# The screen: 1024 x 768, at a display scale as many pixels more as the scale
# gives (a 200% display has twice the pixels each way).
dpi=${VESKOR_WINE_DPI:-96}
screen="$((1024 * dpi / 96))x$((768 * dpi / 96))x24"

start_display() {
  local n
  for n in $(seq 91 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    # The display is ours only when the lock names our server: two sessions
    # starting together may both try the same number, and the loser's socket
    # check would otherwise find the winner's socket.
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ] &&
        { echo "$n $pid"; return 0; }
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
  done
  echo "no free display" >&2
  return 1
}

stop_session() {
  [ -f "$state/env" ] || return 0
  # shellcheck disable=SC1091
  . "$state/env"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$state"
}

make_template() {
  [ -f "$template/system.reg" ] && return 0
  local tmp="$template.tmp.$$"
  rm -rf "$tmp"
  mkdir -p "$(dirname "$template")"
  (
    wine_env "$tmp"
    wineboot -i >/dev/null 2>&1
    if [ "$arch" = win64 ]; then
      wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
    fi
    wineserver -w
  )
  [ -f "$tmp/system.reg" ] || { echo "cannot create the $arch prefix" >&2; return 1; }
  rm -rf "$template"
  mv "$tmp" "$template"
}

case $cmd in
start)
  stop_session
  mkdir -p "$state"
  read -r display xvfb_pid < <(start_display)
  export DISPLAY=":$display"
  make_template
  cp -a "$template" "$state/prefix"
  cat >"$state/env" <<ENV
export DISPLAY=:$display XVFB_PID=$xvfb_pid $fixed_place
export WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$state/prefix"
ENV
  # Failures the cases switch on with marker files; the server and every
  # program of the session carry the library of their word size.
  [ -n "${VESKOR_FAULT_PRELOAD:-}" ] && echo "export LD_PRELOAD='$VESKOR_FAULT_PRELOAD'" >>"$state/env"

  . "$state/env"
  if [ -n "${VESKOR_WINE_DPI:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VESKOR_WINE_DPI" /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p </dev/null >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/e2e"
  wine "$(realpath "$VESKOR_WIN32_BIN")/driver.exe" warmup </dev/null >/dev/null 2>&1
  echo "wine session on display :$display, prefix $WINEPREFIX"
  ;;
run)
  . "$state/env"
  prog=$1
  shift
  bin=$(realpath "$VESKOR_WIN32_BIN")
  export VESKOR_BIN="Z:${bin//\//\\}" VESKOR_WORK='C:\e2e'
  out=$(realpath -m "${VESKOR_OUT_DIR:-$state/../e2e-out}")
  mkdir -p "$out"
  export VESKOR_OUT="Z:${out//\//\\}"
  exec wine "$bin/$prog" "$@"
  ;;
stop)
  stop_session
  ;;
*)
  echo "usage: $0 start|run|stop STATE ..." >&2
  exit 2
  ;;
esac
