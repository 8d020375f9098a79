#!/usr/bin/env bash
# Size and time of our -lh5- archiver against gzip -9 and jlha's -lh5- on the
# shared screenshots. Every tool runs as a whole process on the same file;
# the best of [runs] wall-clock and CPU (user + system) times is printed.
# Our archive is then tested and extracted with lhasa and compared.
#   tools/bench/run_lzh_bench.sh [runs]
# Needs the native build of lzh_bench (cmake --preset native &&
# cmake --build build/native --target lzh_bench); draws the screenshots with
# the shared drawing script when they are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bench=${VISTRANE_NATIVE_BUILD:-$root/build/native}/tools/bench/lzh_bench
runs=${1:-5}
. "$root/tools/bench/process_times.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

printf '| image | bytes | tool | archive bytes | ratio | wall s | cpu s |\n|---|---|---|---|---|---|---|\n'
for image in desk_1920x1080 desk_3840x2160 flat_1920x1080; do
  cp "$images/$image.bmp" "$tmp/$image.bmp"
  original=$(size_of "$tmp/$image.bmp")
  row() { printf '| %s | %s | %s | %s | %.1f %% | %.2f | %.2f |\n' "$image" "$original" "$1" "$2" \
    "$(awk -v a="$2" -v b="$original" 'BEGIN { print 100 * a / b }')" $3 $4; }

  read -r wall cpu < <(best "$bench" "$tmp/$image.bmp" "$tmp/ours.lzh" 1)
  row "UnLHA32 -lh5-" "$(size_of "$tmp/ours.lzh")" "$wall" "$cpu"
  read -r wall cpu < <(best sh -c "gzip -9 -c '$tmp/$image.bmp' > '$tmp/gz.gz'")
  row "gzip -9" "$(size_of "$tmp/gz.gz")" "$wall" "$cpu"
  read -r wall cpu < <(best sh -c "cd '$tmp' && rm -f j.lzh && jlha -ao5q j.lzh '$image.bmp'")
  row "jlha -lh5-" "$(size_of "$tmp/j.lzh")" "$wall" "$cpu"

  (cd "$tmp" && rm -rf out && lhasa tq ours.lzh && lhasa xqw=out ours.lzh && cmp -s "out/$image.bmp" "$image.bmp") ||
    { echo "lhasa did not restore $image from our archive" >&2; exit 1; }
  rm -f "$tmp/$image.bmp"
done
