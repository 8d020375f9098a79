# Shared by the run_*_bench.sh scripts that time whole processes; sourced,
# with $root (the source tree), $work (build/bench) and $runs set.

# The shared screenshots in $work/img, drawn by the shared drawing script when
# they are missing.
images=$work/img
if [ ! -f "$images/desk_3840x2160.bmp" ] || [ ! -f "$images/flat_1920x1080.bmp" ]; then
  (mkdir -p "$work" && cd "$work" && bash "$root/../shared/bench/make_images.sh" . >/dev/null)
fi

# best <command...>: "<best wall s> <best cpu s>" over $runs runs.
best() {
  local i times wall=999999 cpu=999999
  for ((i = 0; i < runs; i++)); do
    times=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>&1 | tail -n 1)
    read -r wall cpu < <(awk -v w="$wall" -v c="$cpu" -v t="$times" \
      'BEGIN { split(t, a, " "); r = a[1]; u = a[2] + a[3]; printf "%s %s\n", (r < w ? r : w), (u < c ? u : c) }')
  done
  echo "$wall $cpu"
}

size_of() { stat -c %s "$1"; }
