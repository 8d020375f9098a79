#!/usr/bin/env bash
# The start-up deletion pass of Vistrane under Wine, over an output folder of
# 10,000 and of 100,000 files that begin with the base name:
#   tools/bench/run_auto_delete_bench.sh [counts...]
# For each count: a folder of image files written today (the pass lists and
# dates every one and deletes none: the cost at every start), then the same
# files 30 days old (the pass deletes them all: the one start that cleans up).
# Needs the Windows build (VISTRANE_WINDOWS_BIN, default build/windows/bin).
# Uses a Wine prefix of its own and ends only the server of that prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${VISTRANE_WINDOWS_BIN:-$root/build/windows/bin}
work=$root/build/bench-autodel
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)

export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
trap 'wineserver -k 2>/dev/null || true' EXIT
mkdir -p "$work"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
folder=$work/VstrnTmp
folder_win="Z:$(echo "$folder" | tr / '\\')"

fill() {  # fill <count> <days ago>
  python3 - "$folder" "$1" "$2" <<'PY'
import os, shutil, sys, time
folder, count, days = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
stamp = time.time() - days * 86400
for i in range(count):
    # The mix a busy folder holds: numbered files, mail copies, JPEG files.
    name = ("Vstrn%04d-%03d.bmp" % (i // 1000, i % 1000) if i % 4 else
            "VstrnML-%06d.jpg" % i)
    path = os.path.join(folder, name)
    open(path, "wb").close()
    os.utime(path, (stamp, stamp))
PY
}

for count in "${counts[@]}"; do
  fill "$count" 0
  echo "$count files, none expired: $(wine "$bin/auto_delete_bench.exe" "$folder_win" 5)"
  fill "$count" 30
  echo "$count files, all expired:  $(wine "$bin/auto_delete_bench.exe" "$folder_win" 1)"
done
rm -rf "$folder"
