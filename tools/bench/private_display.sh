# Sourced by the Wine benchmarks: StartPrivateDisplay SIZE starts an Xvfb
# screen of SIZE (WIDTHxHEIGHT) on the first free display from :80, exports
# DISPLAY and leaves the server's id in xvfb_pid for the caller to end.
StartPrivateDisplay() {
  local n display=
  for n in $(seq 80 120); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
  done
  Xvfb ":$display" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$display
}
