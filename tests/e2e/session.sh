#!/usr/bin/env bash
# A private Wine session for the Windows-side tests: an Xvfb display of our own
# and a Wine prefix of our own, both under one state folder.
#
#   session.sh start <state-dir> [<display>]
#       start Xvfb (or use the given display, e.g. the user's), a CUPS
#       scheduler with the PDF printer VPDF (cups.sh) and a persistent
#       wineserver for the prefix <state-dir>/prefix
#   session.sh stop <state-dir>    end exactly what start started
#   session.sh env <state-dir>     print the env file's path (fails when not running)
#
# The env file (<state-dir>/session.env) holds KEY='value' lines that both a
# shell (`. file`) and the Python scenarios read. The prefix (<state-dir>/prefix)
# is reused between runs once it has been fully initialised.
set -euo pipefail

usage() {
  echo "usage: $0 start <state-dir> [<display>] | stop <state-dir> | env <state-dir>" >&2
  exit 2
}
[ $# -eq 2 ] || { [ $# -eq 3 ] && [ "$1" = start ]; } || usage
action=$1
given_display=${3:-}
mkdir -p "$2"
state=$(cd "$2" && pwd)
cups=$(cd "$(dirname "$0")" && pwd)/cups.sh
env_file=$state/session.env
prefix=$state/prefix
log=$state/session.log
ready_mark=$prefix/.vistrane-ready
locales=$state/locale
# What the ready mark holds: a prefix made under another locale (an older
# session with a Western code page) is made again.
prefix_kind='ja_JP.UTF-8 ACP 932; MS UI Gothic substitute'

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The product's users run Windows with the Japanese ANSI code page 932, which
# a new prefix takes from a Japanese Unix locale. Wine also decodes command
# lines and file names by that locale, so it must be UTF-8 and really exist:
# without it Wine falls back to code page 1252 and ASCII file names. The
# session compiles it into its own folder, as the machine may have none.
export LANG=ja_JP.UTF-8
export LOCPATH=$locales

# The pid is ours only while it still runs Xvfb on the display we recorded;
# a recycled pid belongs to someone else.
is_our_xvfb() {
  local pid=$1 display=$2
  [ -r "/proc/$pid/cmdline" ] || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "^[^ ]*Xvfb :$display "
}

stop_session() {
  "$cups" stop "$state"
  [ -f "$env_file" ] || return 0
  local XVFB_PID='' VISTRANE_DISPLAY_NUMBER='' WINEPREFIX=''
  # shellcheck disable=SC1090
  . "$env_file"
  if [ -n "$WINEPREFIX" ] && [ -d "$WINEPREFIX" ]; then
    WINEPREFIX=$WINEPREFIX wineserver -k >>"$log" 2>&1 || true
  fi
  if [ -n "$XVFB_PID" ] && is_our_xvfb "$XVFB_PID" "$VISTRANE_DISPLAY_NUMBER"; then
    kill "$XVFB_PID"
    for _ in $(seq 50); do
      is_our_xvfb "$XVFB_PID" "$VISTRANE_DISPLAY_NUMBER" || break
      sleep 0.1
    done
  fi
  rm -f "$env_file"
}

display_in_use() {
  [ -e "/tmp/.X11-unix/X$1" ] || [ -e "/tmp/.X$1-lock" ]
}

# Starts Xvfb on the first free display from 61 on. Two sessions may race for
# the same number; the loser's Xvfb exits at once and we move on.
start_xvfb() {
  local n pid
  for n in $(seq 61 199); do
    display_in_use "$n" && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >>"$log" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
      if ! kill -0 "$pid" 2>/dev/null; then
        pid=
        break
      fi
      [ -S "/tmp/.X11-unix/X$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1 && break
      sleep 0.1
    done
    if [ -n "$pid" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
      XVFB_PID=$pid
      DISPLAY_NUMBER=$n
      return 0
    fi
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  echo "session.sh: no free X display between :61 and :199" >&2
  return 1
}

fontlink() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
  for face in 'Tahoma' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif'; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >>"$log" 2>&1
  done
  # The printed header's face, as a Japanese Windows has it.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v 'MS UI Gothic' /d 'IPAGothic' /f >>"$log" 2>&1
}

prepare_locale() {
  [ -f "$locales/$LANG/LC_CTYPE" ] && return 0
  mkdir -p "$locales"
  # localedef warns about things glibc's own build accepts; its exit status
  # is not zero then, so the result is what counts.
  localedef -i ja_JP -f UTF-8 "$locales/$LANG" >>"$log" 2>&1 || true
  [ -f "$locales/$LANG/LC_CTYPE" ] ||
    { echo "session.sh: cannot compile the locale $LANG (package locales); see $log" >&2; return 1; }
}

# A prefix is reused only when a previous start finished initialising it
# under the same locale.
prepare_prefix() {
  export WINEPREFIX=$prefix
  if [ -f "$ready_mark" ] && [ "$(cat "$ready_mark")" = "$prefix_kind" ] &&
    [ -f "$prefix/system.reg" ] && [ -d "$prefix/drive_c/windows" ]; then
    return 0
  fi
  echo "session.sh: creating Wine prefix $prefix" >&2
  rm -rf "$prefix"
  wineboot -i >>"$log" 2>&1
  fontlink
  # Let the server write the registry to disk before the prefix counts as ready.
  wineserver -w
  echo "$prefix_kind" >"$ready_mark"
}

start_session() {
  stop_session
  # A server left over from an interrupted run in this same prefix is ours too.
  [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  : >"$log"
  XVFB_PID=
  if [ -n "$given_display" ]; then
    xdpyinfo -display "$given_display" >/dev/null 2>&1 ||
      { echo "session.sh: cannot open display $given_display" >&2; return 1; }
    export DISPLAY=$given_display
    DISPLAY_NUMBER=
  else
    start_xvfb
    export DISPLAY=":$DISPLAY_NUMBER"
  fi
  "$cups" start "$state" >>"$log"
  # Wine's printers come from our own scheduler (cups.sh) only, never from the
  # machine's: without an answering scheduler every program that loads the
  # spooler waits seconds at its start. The socket's real path is short
  # enough for a socket address wherever the checkout lies.
  CUPS_SERVER=$(readlink "$state/cups")/cups.sock
  export CUPS_SERVER
  prepare_locale
  prepare_prefix
  # Keep the server up between the tests so each one starts quickly.
  wineserver -p </dev/null >>"$log" 2>&1
  # Our own display has no window manager: Wine then places, activates and
  # hides every window itself, as on a desktop. Left to its default, Wine hands
  # a window with a title bar to a window manager and, when it hides, waits
  # about 2 s for one to confirm; the program stops answering meanwhile. On
  # a given display, its window manager does that work.
  local x11='HKCU\Software\Wine\X11 Driver'
  if [ -n "$XVFB_PID" ]; then
    wine reg add "$x11" /v Managed /d N /f </dev/null >>"$log" 2>&1
  else
    wine reg delete "$x11" /v Managed /f </dev/null >>"$log" 2>&1 || true
  fi
  # Start Wine's background services now, with the log as their output: the
  # first program of a session starts them otherwise, and they would keep
  # that program's stdout open (ctest waits for it until its timeout).
  wineboot </dev/null >>"$log" 2>&1
  {
    echo "DISPLAY='$DISPLAY'"
    echo "VISTRANE_DISPLAY_NUMBER='$DISPLAY_NUMBER'"
    echo "XVFB_PID='$XVFB_PID'"
    echo "WINEPREFIX='$prefix'"
    echo "WINEDEBUG='$WINEDEBUG'"
    echo "WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
    echo "LANG='$LANG'"
    echo "LOCPATH='$LOCPATH'"
    echo "CUPS_SERVER='$CUPS_SERVER'"
    echo "export DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LANG LOCPATH CUPS_SERVER"
  } >"$env_file.tmp"
  mv "$env_file.tmp" "$env_file"
  echo "session.sh: display $DISPLAY${XVFB_PID:+ (Xvfb pid $XVFB_PID)}, prefix $prefix"
}

# A start that fails part of the way ends what it had started.
abandon_start() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  "$cups" stop "$state"
  [ -z "${XVFB_PID:-}" ] || kill "$XVFB_PID" 2>/dev/null || true
  echo "session.sh: the session did not start; see $log" >&2
}

case $action in
  start)
    trap abandon_start EXIT
    start_session
    trap - EXIT
    ;;
  stop) stop_session ;;
  env)
    [ -f "$env_file" ] || { echo "session.sh: no session running in $state" >&2; exit 1; }
    echo "$env_file"
    ;;
  *) usage ;;
esac
