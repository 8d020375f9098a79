#!/usr/bin/env bash
# The private CUPS scheduler of the Wine session (session.sh), with one PDF
# printer whose pages land in a folder of ours.
#
#   cups.sh start  <state-dir>   start cupsd and add the printer VPDF (the default)
#   cups.sh stop   <state-dir>   end exactly the cupsd that start started
#   cups.sh remove <state-dir> [NAME]   delete VPDF (or NAME): without VPDF the
#                                       system has no printer
#   cups.sh add    <state-dir> [NAME]   add VPDF again as the default printer, or
#                                       one more PDF printer NAME beside it
#   cups.sh reset  <state-dir>   as after start: VPDF alone, the default, no jobs
#
# Wine asks the scheduler named by CUPS_SERVER (session.sh sets it to
# <state-dir>/cups/cups.sock) and brings its own printer list up to date when
# a program that prints starts while no other such program runs.
#
# The scheduler listens only on a socket of its own, so it neither needs nor
# disturbs a system cupsd. VPDF uses the cups-pdf driver description with a
# file: device: every job's PostScript, as the printer receives it, is written
# to <state-dir>/cups/out/VPDF.ps (the previous job's file is replaced);
# another printer NAME writes to out/NAME.ps.
#
# The filters run as the unprivileged user lp, which must reach the spool and
# the output. A checkout may lie under a folder that other users cannot enter
# (a home of mode 0700, a `mktemp -d`), so the scheduler's files live in a
# folder of mode 0755 made under /tmp at start and removed at stop;
# <state-dir>/cups is a link to it.
set -euo pipefail

usage() {
  echo "usage: $0 start|stop|reset <state-dir> | remove|add <state-dir> [NAME]" >&2
  exit 2
}
[ $# -eq 2 ] || { [ $# -eq 3 ] && { [ "$1" = add ] || [ "$1" = remove ]; }; } || usage
action=$1
mkdir -p "$2"
link=$(cd "$2" && pwd)/cups
# The real folder once start has made it; empty otherwise.
state=$(readlink "$link" 2>/dev/null || true)
socket=$state/cups.sock
pid_file=$state/cupsd.pid
log=$state/cups.log
default_printer=VPDF
printer=${3:-$default_printer}
ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd

# The pid is ours only while it still runs cupsd with our configuration.
is_our_cupsd() {
  local pid=$1
  [ -r "/proc/$pid/cmdline" ] || return 1
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "-c $state/etc/cupsd.conf "
}

stop_cupsd() {
  if [ -n "$state" ] && [ -f "$pid_file" ]; then
    local pid
    pid=$(cat "$pid_file")
    if is_our_cupsd "$pid"; then
      kill "$pid"
      for _ in $(seq 50); do
        is_our_cupsd "$pid" || break
        sleep 0.1
      done
    fi
  fi
  # Only a folder that start made (its name and the link say so) is removed.
  case $state in /tmp/vistrane-cups.*) rm -rf "$state" ;; esac
  # A folder in its place is an older session's, which write_config removes.
  if [ -L "$link" ]; then rm -f "$link"; fi
  state=
}

write_config() {
  [ ! -e "$link" ] || [ -L "$link" ] || rm -rf "$link"  # a folder from an older session
  state=$(mktemp -d /tmp/vistrane-cups.XXXXXX)
  chmod 0755 "$state"
  ln -sfn "$state" "$link"
  socket=$state/cups.sock
  pid_file=$state/cupsd.pid
  log=$state/cups.log
  mkdir -p "$state"/{etc/ppd,spool/tmp,cache,run,log,out}
  # Filters run as the unprivileged user lp: it must write the spool and the output.
  chown -R lp "$state"/spool "$state"/out "$state"/cache 2>/dev/null || chmod -R 0777 "$state"/spool "$state"/out "$state"/cache
  cat >"$state/etc/cups-files.conf" <<EOF
ServerRoot $state/etc
RequestRoot $state/spool
TempDir $state/spool/tmp
CacheDir $state/cache
StateDir $state/run
ErrorLog $state/log/error_log
AccessLog $state/log/access_log
PageLog $state/log/page_log
FileDevice Yes
SystemGroup root
EOF
  cat >"$state/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
}

add_printer() {
  CUPS_SERVER=$socket lpadmin -p "$printer" -v "file://$state/out/$printer.ps" -E -m "$ppd" >>"$log" 2>&1
  [ "$printer" != "$default_printer" ] || CUPS_SERVER=$socket lpadmin -d "$printer" >>"$log" 2>&1
}

start_cupsd() {
  stop_cupsd
  write_config
  : >"$log"
  cupsd -f -c "$state/etc/cupsd.conf" -s "$state/etc/cups-files.conf" </dev/null >>"$log" 2>&1 &
  echo $! >"$pid_file"
  for _ in $(seq 100); do
    CUPS_SERVER=$socket lpstat -r >/dev/null 2>&1 && break
    is_our_cupsd "$(cat "$pid_file")" || break
    sleep 0.1
  done
  if ! CUPS_SERVER=$socket lpstat -r >/dev/null 2>&1; then
    echo "cups.sh: cupsd did not start; see $log and $state/log/error_log" >&2
    stop_cupsd
    return 1
  fi
  add_printer
  echo "cups.sh: cupsd pid $(cat "$pid_file") on $socket, printer $printer -> $state/out/$printer.ps"
}

reset() {
  export CUPS_SERVER=$socket
  cancel -a >>"$log" 2>&1 || true
  local name
  for name in $(lpstat -e); do
    [ "$name" = "$default_printer" ] || lpadmin -x "$name" >>"$log" 2>&1
  done
  lpstat -d 2>/dev/null | grep -q ": $default_printer\$" || add_printer
}

case $action in
  start) start_cupsd ;;
  stop) stop_cupsd ;;
  reset) reset ;;
  remove) CUPS_SERVER=$socket lpadmin -x "$printer" >>"$log" 2>&1 ;;
  add) add_printer ;;
  *) usage ;;
esac
