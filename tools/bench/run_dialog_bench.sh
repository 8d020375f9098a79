#!/usr/bin/env bash
# The settings dialog's opening against a plain window of the same controls,
# both under Wine on a private Xvfb screen, in a Japanese prefix of their own.
#   tools/bench/run_dialog_bench.sh [starts] [rounds] [printer]
# With "printer" a private CUPS scheduler (tests/e2e/cups.sh) offers the PDF
# printer VPDF; without, the prefix has no printer. Needs scripts/build first.
# Ends only what it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/bench/private_display.sh"
bin=${VISTRANE_WINDOWS_BIN:-$root/build/windows/bin}
work=$root/build/bench-dialog
starts=${1:-5}
rounds=${2:-6}
printer=${3:-}
mkdir -p "$work"

export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 932 and the Japanese fonts, as the product's users have them.
export LANG=ja_JP.UTF-8 LOCPATH=$work/locale
[ -f "$LOCPATH/$LANG/LC_CTYPE" ] || localedef -i ja_JP -f UTF-8 "$LOCPATH/$LANG" >/dev/null 2>&1 || true
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -z "$printer" ] || "$root/tests/e2e/cups.sh" stop "$work" >/dev/null
}
trap cleanup EXIT

if [ -n "$printer" ]; then
  "$root/tests/e2e/cups.sh" start "$work" >/dev/null
  CUPS_SERVER=$(readlink "$work/cups")/cups.sock
else
  CUPS_SERVER=$work/no-scheduler.sock  # answers at once: no printer
fi
export CUPS_SERVER

StartPrivateDisplay 1024x768
sleep 1
if [ ! -d "$WINEPREFIX" ]; then
  wineboot -i >/dev/null 2>&1
  link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in 'Tahoma' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif'; do
    wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
  done
  # No window manager: Wine places and shows the windows itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
install="$WINEPREFIX/drive_c/Program Files/Vistrane"
mkdir -p "$install" "$WINEPREFIX/drive_c/VstrnTmp"
cp "$bin/Vistrane.exe" "$bin/plain_dialog.exe" "$install/"
key='HKCU\Software\VB and VBA Program Settings\TRV Vistrane\Propaty'
wine reg delete "$key" /f >/dev/null 2>&1 || true
for setting in OutPutMode=1 DirName='C:\VstrnTmp' Drive='C:\' AutoDel=2; do
  wine reg add "$key" /v "${setting%%=*}" /t REG_SZ /d "${setting#*=}" /f >/dev/null
done
wineserver -w
echo "printers: $(if [ -n "$printer" ]; then echo VPDF; else echo none; fi); load: $(uptime)"
wine "$bin/dialog_bench.exe" "$starts" "$rounds" 'C:\Program Files\Vistrane\Vistrane.exe' \
  'C:\Program Files\Vistrane\plain_dialog.exe'
