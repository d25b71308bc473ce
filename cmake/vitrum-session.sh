# Sourced by vitrum-run and scripts/wine-env: a Wine session for Windows programs
# on Linux. Wine's 64-bit loader where the kernel refuses 32-bit programs, a Wine
# prefix (under VITRUM_WINE_HOME), a virtual X display (unless one is given and
# reachable) and one persistent wineserver, and the waits for windows and
# processes. Call vitrum_wine_stop (or let an EXIT trap do it) to end what was
# started here.

VITRUM_SESSION_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
VITRUM_WINE_HOME=${VITRUM_WINE_HOME:-${XDG_CACHE_HOME:-$HOME/.cache}/vitrum}

vitrum_first_error() {  # TEXT: its first line that reads as an error, else its first line
  local line
  line=$(grep -m 1 -iE 'error|fail|cannot|not found|denied' <<<"$1" || true)
  echo "${line:-$(head -n 1 <<<"$1")}"
}

# Whether 32-bit Windows programs run here, found by running Wine's 32-bit
# loader: its file can be there on a kernel that refuses 32-bit programs
# ("Exec format error"). Prints "yes" or the reason they do not run.
vitrum_wine32_probe() {
  local loader=/usr/lib/wine/wine out status=0
  if [ ! -x "$loader" ]; then
    echo "32-bit Wine (wine32) is missing; ${VITRUM_INSTALLER:-apt-get} installs it" \
         "(sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get install wine32:i386)"
    return
  fi
  out=$("$loader" --version 2>&1 </dev/null) || status=$?
  if [ "$status" -eq 0 ]; then
    echo yes
  elif [[ $out == *"Exec format error"* ]]; then
    echo "this machine's kernel runs no 32-bit programs (Wine's 32-bit loader: Exec format error)"
  else
    echo "Wine's 32-bit loader fails ($status): $(vitrum_first_error "$out")"
  fi
}

vitrum_pe_machine() {  # FILE: the machine field of its PE header, 014c (i686) or 8664 (x86_64)
  local pe_offset
  pe_offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((pe_offset + 4)) -N2 "$1" | tr -d ' '
}

vitrum_wine32() { [ "$VITRUM_WINE32" = yes ]; }

# Asks the question of 32-bit programs again (after an install) and chooses the
# loader and prefix by the answer. VITRUM_WINE32 is exported, so the scripts and
# tests started from here ask no more.
# Debian's wine and wineboot take the 32-bit loader whenever its file is
# executable, even where the kernel refuses it: without 32-bit, Wine starts
# through its 64-bit loader (./wine64 holds the two commands). A prefix made
# without 32-bit stops working once 32-bit Wine runs: each kind has its own.
vitrum_wine_setup() {
  export VITRUM_WINE32=${1:-$(vitrum_wine32_probe)}
  if vitrum_wine32; then
    export WINEPREFIX=${WINEPREFIX:-$VITRUM_WINE_HOME/wineprefix}
  else
    case ":$PATH:" in *":$VITRUM_SESSION_DIR/wine64:"*) ;; *) export PATH=$VITRUM_SESSION_DIR/wine64:$PATH ;; esac
    export WINELOADER=/usr/lib/wine/wine64
    export WINEPREFIX=${WINEPREFIX:-$VITRUM_WINE_HOME/wineprefix-64}
  fi
}
vitrum_wine_setup "${VITRUM_WINE32:-}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
VITRUM_XVFB_PID=""
VITRUM_WINE_OWNER=""

# COUNT PERIOD COMMAND...: runs COMMAND up to COUNT times, PERIOD seconds apart,
# until it succeeds; one that answers 2 gives up at once. Its status is the last.
vitrum_poll() {
  local count=$1 period=$2 status
  shift 2
  for _ in $(seq "$count"); do
    status=0
    "$@" || status=$?
    [ "$status" -eq 1 ] || return "$status"
    sleep "$period"
  done
  return 1
}

# NAME COMMAND...: one step of the start. One that fails says which, with its
# exit status and first error line, and stops what the start had started.
vitrum_start_step() {
  local name=$1 log status=0
  shift
  log=$(mktemp)
  # To a file, not a pipe: a server started here keeps its output open.
  "$@" </dev/null >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$name failed ($status): $(vitrum_first_error "$(cat "$log")")" >&2
    rm -f "$log"
    vitrum_wine_stop
    return "$status"
  fi
  rm -f "$log"
}

vitrum_display_answers() { xdpyinfo >/dev/null 2>&1; }
vitrum_has_display() { [ -s "$1" ]; }  # FILE: whether Xvfb has written its display number there

# [yes]: with yes, on a virtual display even when one is given. A script started
# from one that has started them (VITRUM_WINE_STARTED) shares its display and
# server, and its vitrum_wine_stop leaves them be. A start that fails stops what
# it had started and returns non-zero.
vitrum_wine_start() {
  local want_virtual=${1:-auto} number
  [ -n "${VITRUM_WINE_STARTED:-}" ] && return 0
  export VITRUM_WINE_STARTED=yes
  VITRUM_WINE_OWNER=yes
  if [ "$want_virtual" = yes ] || [ -z "${DISPLAY:-}" ] || ! vitrum_display_answers; then
    # Xvfb takes the first free display itself, so two sessions started at once
    # cannot pick the same one.
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    VITRUM_XVFB_PID=$!
    if ! vitrum_poll 50 0.1 vitrum_has_display "$number"; then
      rm -f "$number"
      echo "Xvfb failed: no display answered within 5 s" >&2
      vitrum_wine_stop
      return 1
    fi
    DISPLAY=:$(head -n 1 "$number")
    export DISPLAY
    rm -f "$number"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    vitrum_start_step wineboot wineboot -i || return
    # Without a window manager every window destroy would stall about 2 s.
    vitrum_start_step "wine reg" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f || return
    vitrum_start_step wineserver wineserver -w || return
  fi
  # A server left from an earlier run may serve another display: start afresh.
  wineserver -k >/dev/null 2>&1 || true
  vitrum_start_step wineserver wineserver -p || return
  # Wine's system processes start with the first program and keep its file
  # descriptors: start them here, so no test's output pipe stays open behind it.
  vitrum_start_step wine wine cmd /c exit || return
}

vitrum_wine_stop() {
  [ -n "$VITRUM_WINE_OWNER" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$VITRUM_XVFB_PID" ]; then kill "$VITRUM_XVFB_PID" 2>/dev/null || true; fi
  VITRUM_XVFB_PID=""
  VITRUM_WINE_OWNER=""
  unset VITRUM_WINE_STARTED
}

vitrum_named_window() {  # NAME: the X window id of a mapped window of that name
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
  [ -n "$id" ] && echo "$id"
}

vitrum_wait_for_window() {  # NAME [TENTHS]: prints the X window id once a window of that name is mapped
  vitrum_poll "${2:-200}" 0.1 vitrum_named_window "$1"
}

vitrum_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }  # WINDOW

# A key sent to a window can be lost while Wine is still setting it up, and one
# sent with --window stays held once its program has closed the window.
vitrum_press_until_gone() {  # WINDOW KEY: gone (0), or KEY pressed on it (1)
  vitrum_mapped "$1" || { xdotool keyup "$2" >/dev/null 2>&1 || true; return 0; }
  xdotool key --window "$1" "$2" >/dev/null 2>&1 || true
  return 1
}

vitrum_answer_window() {  # WINDOW KEY: presses KEY on WINDOW until it is gone; fails if it stays 10 s
  vitrum_poll 20 0.5 vitrum_press_until_gone "$1" "$2"
}

vitrum_answer() {  # NAME KEY [TENTHS]: once a window NAME is mapped, answers it with KEY
  local id
  id=$(vitrum_wait_for_window "$1" "${3:-200}") || return 1
  vitrum_answer_window "$id" "$2"
}

# Windows are found by their class, the program's file name: the process that
# owns them is not always the one started (a 64-bit program starts from the
# 32-bit loader).
vitrum_largest_window() {  # EXE PID: the largest visible window of EXE; fails once PID has ended
  local id best="" area=1 size
  for id in $(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null || true); do
    size=$(xwininfo -id "$id" 2>/dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w * h }')
    [ "${size:-0}" -gt "$area" ] && { best=$id; area=$size; }
  done
  [ -n "$best" ] && { echo "$best"; return 0; }
  kill -0 "$2" 2>/dev/null || return 2
  return 1
}

# EXE PID [TENTHS]: the largest visible window of EXE, once mapped while PID
# runs; fails with 2 once PID has ended.
vitrum_program_window() {
  vitrum_poll "${3:-200}" 0.1 vitrum_largest_window "$1" "$2"
}

vitrum_gone() { ! kill -0 "$1" 2>/dev/null; }  # PID

vitrum_ended() {  # PID TENTHS: whether the process ends within TENTHS tenths of a second
  vitrum_poll "$2" 0.1 vitrum_gone "$1"
}
