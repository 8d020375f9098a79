# Shared by the run_*_bench.sh scripts that time whole processes; sourced,
# with $root (the source tree) and $runs set. Brings the screenshots in
# $images.
. "$root/tools/bench/screenshots.sh"

# times_of <command...>: "<wall s> <cpu s>" of one run.
times_of() {
  local times
  times=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>&1 | tail -n 1)
  awk -v t="$times" 'BEGIN { split(t, a, " "); printf "%s %s\n", a[1], a[2] + a[3] }'
}

# best <command...>: "<best wall s> <best cpu s>" over $runs runs.
best() {
  local i
  for ((i = 0; i < runs; i++)); do times_of "$@"; done |
    awk 'NR == 1 || $1 < w { w = $1 } NR == 1 || $2 < c { c = $2 } END { print w, c }'
}

size_of() { stat -c %s "$1"; }
