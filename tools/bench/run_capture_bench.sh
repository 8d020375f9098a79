#!/usr/bin/env bash
# Clipboard change to file, and memory between captures, of the real
# Vistrane.exe under Wine, on a private Xvfb screen of the screenshot's size.
#   tools/bench/run_capture_bench.sh [captures]
# Needs scripts/build first. Draws the screenshots with the shared drawing
# script when they are missing. Ends only what it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${VISTRANE_WINDOWS_BIN:-$root/build/windows/bin}
work=$root/build/bench
captures=${1:-5}
images=$work/img
if [ ! -f "$images/desk_3840x2160.bmp" ]; then
  (mkdir -p "$work" && cd "$work" && bash "$root/../shared/bench/make_images.sh" . >/dev/null)
fi

export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
vistrane_pid=
cleanup() {
  [ -n "$vistrane_pid" ] && kill "$vistrane_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

for image in desk_1920x1080 desk_3840x2160; do
  size=${image#desk_}
  display=
  for n in $(seq 80 120); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
  done
  Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$display
  sleep 1
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
  install="$WINEPREFIX/drive_c/Program Files/Vistrane"
  mkdir -p "$install" && cp "$bin/Vistrane.exe" "$install/"
  key='HKCU\Software\VB and VBA Program Settings\TRV Vistrane\Propaty'
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  # The file output alone: no printer, mail or deletion pass in the figures.
  for setting in OutPutMode=1 ColorMode=1 DirName='C:\VstrnTmp' Filename=Vstrn FileOutMode=1 \
      OutputFileMode=1 FileOutputMode=1 PrtOutputMode=0 MailSendMode=0 AutoDel=2; do
    wine reg add "$key" /v "${setting%%=*}" /t REG_SZ /d "${setting#*=}" /f >/dev/null
  done
  rm -rf "$WINEPREFIX/drive_c/VstrnTmp"
  wine 'C:\Program Files\Vistrane\Vistrane.exe' >/dev/null 2>&1 &
  vistrane_pid=$!
  sleep 3
  cp "$images/$image.bmp" "$WINEPREFIX/drive_c/bench.bmp"
  wine "$bin/capture_bench.exe" 'C:\bench.bmp' 'C:\VstrnTmp' "$captures"
  # The same figures as Linux sees them, for the process of this prefix.
  for pid in $(pgrep -f 'Vistrane\.exe' || true); do
    if tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "Linux view of Vistrane.exe: $(grep -E 'VmRSS|RssAnon' "/proc/$pid/status" | tr -s ' \t\n' ' ')"
    fi
  done
  kill "$vistrane_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  vistrane_pid= xvfb_pid=
done
