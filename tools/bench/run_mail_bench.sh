#!/usr/bin/env bash
# A whole run of VstnMailSend.exe (1920 x 1080 bitmap, MailComp 1: packed by
# UnLHA32.dll) to the recording mail client of the end-to-end tests, against
# an empty program's start plus the -lh5- packing of the same bitmap in
# memory, alternating in each round:
#   tools/bench/run_mail_bench.sh [rounds]
# Needs scripts/build first (VISTRANE_WINDOWS_BIN names another folder of the
# same programs). Uses a private Xvfb display and a private Wine prefix under
# build/bench-mail; ends only what it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/bench/private_display.sh"
bin=${VISTRANE_WINDOWS_BIN:-$root/build/windows/bin}
work=$root/build/bench-mail
rounds=${1:-9}
. "$root/tools/bench/screenshots.sh"
image=$images/desk_1920x1080.bmp

export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
StartPrivateDisplay 1024x768
mkdir -p "$work"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1

# Installed as the installer places them; the recorder as the tests register it.
c=$WINEPREFIX/drive_c
mkdir -p "$c/Program Files/Vistrane" "$c/VtestMail" "$c/VstrnTmp"
cp "$bin/VstnMailSend.exe" "$bin/UnLHA32.dll" "$bin/empty_program.exe" "$c/Program Files/Vistrane/"
cp "$bin/VtestMail.dll" "$c/VtestMail/"
rm -f "$c/VtestMail/"*.jsonl "$c/VstrnTmp/"*
cp "$image" "$c/bench.bmp"
mail='HKLM\Software\Clients\Mail'
wine reg add "$mail" /ve /d 'Vistrane Test Mail' /f >/dev/null
wine reg add "$mail\\Vistrane Test Mail" /v DLLPath /d 'C:\VtestMail\VtestMail.dll' /f >/dev/null
key='HKCU\Software\VB and VBA Program Settings\TRV Vistrane\Propaty'
for setting in MailAdd=taro@example.jp MailKenmei=Screen MailNote=Attached MailComp=1 \
    OutputFileMode=1 'tmpfile=C:\VstrnTmp\VstrnML-0001.bmp'; do
  wine reg add "$key" /v "${setting%%=*}" /t REG_SZ /d "${setting#*=}" /f >/dev/null
done

uptime
program='C:\Program Files\Vistrane'
wine "$bin/mail_bench.exe" 'C:\bench.bmp' 'C:\VstrnTmp\VstrnML-0001.bmp' "$program\\VstnMailSend.exe" \
  "$program\\empty_program.exe" 'C:\VtestMail\mapi_calls.jsonl' "$rounds"
uptime
# The last archive the client received is a sound copy of the bitmap.
(cd "$c/VtestMail" && lhasa t attachment-0-VstrnML-0001.lzh >/dev/null) ||
  { echo "lhasa found the mailed archive damaged" >&2; exit 1; }
