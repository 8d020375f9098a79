#!/usr/bin/env bash
# Clipboard change to file of the real Vistrane.exe under Wine, as a bitmap and
# as a PNG, beside the floor (capture_floor.exe: a bare clipboard viewer that
# takes the bitmap and writes the same file's bytes), on a private Xvfb screen
# of the screenshot's size; and Vistrane's memory after its captures.
#   tools/bench/run_capture_bench.sh [rounds] [captures a round]
# The four programs take turns, each round in a fresh Wine server, so that
# all four see the same machine. Needs scripts/build first. Draws the
# screenshots with the shared drawing script when they are missing. Ends only
# what it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/bench/private_display.sh"
bin=${VISTRANE_WINDOWS_BIN:-$root/build/windows/bin}
native=$root/build/native/tools/bench
work=$root/build/bench
rounds=${1:-3}
captures=${2:-4}
. "$root/tools/bench/screenshots.sh"

export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
program_pid=
log=$(mktemp)
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$log"
}
trap cleanup EXIT

key='HKCU\Software\VB and VBA Program Settings\TRV Vistrane\Propaty'
out="$WINEPREFIX/drive_c/VstrnTmp"

# The file output alone, in the given format: no printer, mail or deletion pass.
start_vistrane() {
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  for setting in OutPutMode=1 ColorMode=1 DirName='C:\VstrnTmp' Filename=Vstrn FileOutMode=1 \
      OutputFileMode="$1" FileOutputMode=1 PrtOutputMode=0 MailSendMode=0 AutoDel=2; do
    wine reg add "$key" /v "${setting%%=*}" /t REG_SZ /d "${setting#*=}" /f >/dev/null
  done
  wine 'C:\Program Files\Vistrane\Vistrane.exe' >/dev/null 2>&1 &
  program_pid=$!
}

start_floor() {
  wine "$bin/capture_floor.exe" 'C:\VstrnTmp' "C:\\floor$1" >/dev/null 2>&1 &
  program_pid=$!
}

# One turn: the program, its captures (the bench waits for the program's
# window of the class given), then everything in the prefix ended.
turn() {
  local name=$1 extension=$2 window=$3
  rm -rf "$out" && mkdir -p "$out"
  "${@:4}"
  local output
  output=$(wine "$bin/capture_bench.exe" 'C:\bench.bmp' 'C:\VstrnTmp' "$captures" "$extension" \
    "$window" | tr -d '\r')
  echo "$name: $output"
  sed -n "s/^capture [0-9]*: \([0-9.]*\) ms.*/$name \1/p" <<<"$output" >> "$log"
  kill "$program_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  program_pid=
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for image in desk_1920x1080 desk_3840x2160; do
  size=${image#desk_}
  StartPrivateDisplay "$size"
  sleep 1
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
  install="$WINEPREFIX/drive_c/Program Files/Vistrane"
  mkdir -p "$install" && cp "$bin/Vistrane.exe" "$install/"
  cp "$images/$image.bmp" "$WINEPREFIX/drive_c/bench.bmp"
  # The floor writes the bytes of the same picture's files: the screenshot's
  # own bitmap (the same size as Vistrane's) and our PNG of it.
  cp "$images/$image.bmp" "$WINEPREFIX/drive_c/floor.bmp"
  "$native/png_write_bench" "$images/$image.bmp" "$WINEPREFIX/drive_c/floor.png" 0 1 >/dev/null
  : > "$log"
  for round in $(seq "$rounds"); do
    turn vistrane_bmp .bmp VistraneMainForm start_vistrane 1
    turn vistrane_png .png VistraneMainForm start_vistrane 3
    turn floor_bmp .bmp VistraneCaptureFloor start_floor .bmp
    turn floor_png .png VistraneCaptureFloor start_floor .png
  done
  python3 - "$log" "$image" <<'PY'
import statistics, sys
times = {}
for line in open(sys.argv[1]):
    name, ms = line.split()
    times.setdefault(name, []).append(float(ms))
print(f"{sys.argv[2]}: clipboard change to file, min / median over {len(times['vistrane_bmp'])} captures each")
for name, ms in times.items():
    print(f"  {name:13} {min(ms):7.1f} / {statistics.median(ms):7.1f} ms")
bmp, png = times['vistrane_bmp'], times['vistrane_png']
print(f"  PNG / bitmap  {min(png) / min(bmp):.2f} / {statistics.median(png) / statistics.median(bmp):.2f}")
PY
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
