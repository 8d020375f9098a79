#!/usr/bin/env bash
# Size and time of our PNG writer against ImageMagick's `convert … png:` and
# pngquant on the shared screenshots, in one run: full colour, and 256
# colours (our colour reduction and indexed PNG; `convert -colors 256`;
# `pngquant --nofs 256` on ImageMagick's full-colour PNG, since it reads only
# PNG). Every tool runs as a whole process on the same file; the best of
# [runs] wall-clock and CPU (user + system) times is printed. Our full-colour
# PNG is then compared pixel by pixel with the screenshot. A second table
# sets our 256-colour file beside pngquant's: PSNR against the screenshot,
# and the wall-clock times of rounds that run the two in turn (min / median).
#   tools/bench/run_png_bench.sh [runs]
# Needs png_write_bench optimised as the programs are (cmake --preset
# native-release && cmake --build build/native-release --target
# png_write_bench; the tests' native build keeps debugging information and
# less optimisation), ImageMagick and pngquant; draws the screenshots with
# the shared drawing script when they are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bench=${VISTRANE_NATIVE_BUILD:-$root/build/native-release}/tools/bench/png_write_bench
runs=${1:-5}

missing=()
[ -x "$bench" ] || missing+=("$bench (cmake --preset native-release && cmake --build build/native-release --target png_write_bench)")
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

  # Ours and pngquant in turn, so both see the same load.
  for ((i = 0; i < runs; i++)); do
    echo "$(times_of "$bench" "$in" "$tmp/ours256.png" 256 1) \
      $(times_of pngquant --nofs --force --output "$tmp/pq256.png" 256 "$tmp/im.png")"
  done >"$tmp/pair"
  read -r wall cpu < <(awk 'NR == 1 || $1 < w { w = $1 } NR == 1 || $2 < c { c = $2 } END { print w, c }' "$tmp/pair")
  row 256 "Vistrane" "$(size_of "$tmp/ours256.png")" "$wall" "$cpu"
  read -r wall cpu < <(best convert "$in" -colors 256 "png:$tmp/im256.png")
  row 256 "convert -colors 256 … png:" "$(size_of "$tmp/im256.png")" "$wall" "$cpu"
  read -r wall cpu < <(awk 'NR == 1 || $3 < w { w = $3 } NR == 1 || $4 < c { c = $4 } END { print w, c }' "$tmp/pair")
  row 256 "pngquant --nofs 256" "$(size_of "$tmp/pq256.png")" "$wall" "$cpu"
  colours=$(identify -format %k "$tmp/ours256.png")
  [ "$colours" -le 256 ] || { echo "our 256-colour PNG of $image has $colours colours" >&2; exit 1; }
  printf '%s %s %s %s %s\n' "$image" "$(compare -metric PSNR "$in" "$tmp/ours256.png" null: 2>&1)" \
    "$(compare -metric PSNR "$in" "$tmp/pq256.png" null: 2>&1)" \
    "$(size_of "$tmp/ours256.png")" "$(size_of "$tmp/pq256.png")" >>"$tmp/psnr"
  sort -n -k1,1 "$tmp/pair" | awk '{ a[NR] = $1 } END { print a[1], a[int((NR + 1) / 2)] }' >"$tmp/ours"
  sort -n -k3,3 "$tmp/pair" | awk '{ a[NR] = $3 } END { print a[1], a[int((NR + 1) / 2)] }' >"$tmp/pq"
  paste -d ' ' "$tmp/ours" "$tmp/pq" >>"$tmp/walls"
done

printf '\n| image | PSNR Vistrane | PSNR pngquant --nofs | bytes, ours / theirs | wall s Vistrane | wall s pngquant | time, ours / theirs |\n'
printf '|---|---|---|---|---|---|---|\n'
paste -d ' ' "$tmp/psnr" "$tmp/walls" | awk '{
  printf "| %s | %.2f dB | %.2f dB | %.3f | %.3f / %.3f | %.3f / %.3f | %.2f / %.2f |\n",
    $1, $2, $3, $4 / $5, $6, $7, $8, $9, $6 / $8, $7 / $9 }'
