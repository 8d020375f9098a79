#!/usr/bin/env bash
# Size and time of our PNG writer against ImageMagick's `convert … png:` and
# pngquant on the shared screenshots, in one run: full colour, and 256
# colours (our colour reduction and indexed PNG; `convert -colors 256`;
# pngquant 256 on ImageMagick's full-colour PNG, since it reads only PNG).
# Every tool runs as a whole process on the same file; the best of [runs]
# wall-clock and CPU (user + system) times is printed. Our full-colour PNG is
# then compared pixel by pixel with the screenshot.
#   tools/bench/run_png_bench.sh [runs]
# Needs the native build of png_write_bench (cmake --preset native &&
# cmake --build build/native --target png_write_bench), ImageMagick and
# pngquant; draws the screenshots with the shared drawing script when they
# are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bench=${VISTRANE_NATIVE_BUILD:-$root/build/native}/tools/bench/png_write_bench
work=$root/build/bench
runs=${1:-5}

missing=()
[ -x "$bench" ] || missing+=("$bench (cmake --build build/native --target png_write_bench)")
for tool in convert compare identify; do
  command -v "$tool" >/dev/null || missing+=("$tool (Debian package imagemagick)")
done
command -v pngquant >/dev/null || missing+=("pngquant (Debian package pngquant)")
if [ ${#missing[@]} -ne 0 ]; then
  printf 'run_png_bench.sh: missing %s\n' "${missing[@]}" >&2
  exit 1
fi

. "$root/tools/bench/process_times.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

printf '| image | colours | tool | bytes | of the bitmap | wall s | cpu s |\n|---|---|---|---|---|---|---|\n'
for image in desk_1920x1080 flat_1920x1080 desk_3840x2160; do
  in=$images/$image.bmp
  bitmap=$(size_of "$in")
  row() { printf '| %s | %s | %s | %s | %.1f %% | %.2f | %.2f |\n' "$image" "$1" "$2" "$3" \
    "$(awk -v a="$3" -v b="$bitmap" 'BEGIN { print 100 * a / b }')" $4 $5; }

  read -r wall cpu < <(best "$bench" "$in" "$tmp/ours.png" 0 1)
  row full "Vistrane" "$(size_of "$tmp/ours.png")" "$wall" "$cpu"
  read -r wall cpu < <(best convert "$in" "png:$tmp/im.png")
  row full "convert … png:" "$(size_of "$tmp/im.png")" "$wall" "$cpu"
  [ "$(compare -metric AE "$in" "$tmp/ours.png" null: 2>&1)" = 0 ] ||
    { echo "our PNG of $image differs from the screenshot" >&2; exit 1; }

  read -r wall cpu < <(best "$bench" "$in" "$tmp/ours256.png" 256 1)
  row 256 "Vistrane" "$(size_of "$tmp/ours256.png")" "$wall" "$cpu"
  read -r wall cpu < <(best convert "$in" -colors 256 "png:$tmp/im256.png")
  row 256 "convert -colors 256 … png:" "$(size_of "$tmp/im256.png")" "$wall" "$cpu"
  read -r wall cpu < <(best pngquant --force --output "$tmp/pq256.png" 256 "$tmp/im.png")
  row 256 "pngquant 256" "$(size_of "$tmp/pq256.png")" "$wall" "$cpu"
  colours=$(identify -format %k "$tmp/ours256.png")
  [ "$colours" -le 256 ] || { echo "our 256-colour PNG of $image has $colours colours" >&2; exit 1; }
done
