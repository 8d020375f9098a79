# Sourced by the benchmarks, with $root (the source tree) set: the shared
# screenshots in $images (build/bench/img), drawn by the shared drawing
# script when they are missing.
images=$root/build/bench/img
if [ ! -f "$images/desk_3840x2160.bmp" ] || [ ! -f "$images/flat_1920x1080.bmp" ]; then
  (mkdir -p "$root/build/bench" && cd "$root/build/bench" &&
    bash "$root/../shared/bench/make_images.sh" . >/dev/null)
fi
