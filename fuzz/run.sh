#!/usr/bin/env bash
# Builds the fuzz targets (clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for SECONDS seconds, one after another. Prints one line per
# target with its runs and findings; exits 1 when any target found something (crash, sanitizer
# report, broken check, leak, timeout or memory blow-up: the input is kept in the findings folder
# printed on that line).
#
#   fuzz/run.sh SECONDS [TARGET...]      targets: exif makernote ini decode layout_load
#                                        layout_calc render heif webp tiff icc qtphoto
#                                        (default: all)
#
# Seeds: fuzz/seeds, the shipped initdata files, examples/photos and the real camera photos of
# ../shared/testdata/photos (or $QUORVANE_FUZZ_PHOTOS); HEIC, AVIF, WebP and TIFF seeds are made
# from examples/photos with heif-enc, cwebp and ImageMagick's convert, profiles from Qt's and
# Little CMS's own. The corpus grows in build-fuzz/fuzz-corpus
# from run to run. Needs the Debian packages clang and libclang-rt-dev.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(exif makernote ini decode layout_load layout_calc render heif webp tiff icc qtphoto)
photos=${QUORVANE_FUZZ_PHOTOS:-$root/../shared/testdata/photos}
export QUORVANE_FUZZ_PHOTOS=$photos
# Scratch files on a memory file system when there is one: page writes sync to disk.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export LSAN_OPTIONS=suppressions=$root/sanitizers/lsan-suppressions.txt:print_suppressions=0

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVANE_FUZZ=ON -DQUORVANE_TESTS=OFF -DQUORVANE_BENCH=OFF >&2
fi
cmake --build "$build" -j"${QUORVANE_FUZZ_JOBS:-2}" --target "${targets[@]/#/fuzz_}" >&2

# Copies files into a seed folder, under names that cannot clash.
seed() {
  local dir=$1
  shift
  mkdir -p "$dir"
  for f in "$@"; do
    [ -f "$f" ] && cp "$f" "$dir/$(printf '%s' "$f" | md5sum | cut -c1-16)"
  done
  return 0
}

gather_seeds() {
  local target=$1 dir=$2
  rm -rf "$dir"
  mkdir -p "$dir"
  shopt -s nullglob globstar
  case $target in
    exif)
      seed "$dir" "$photos"/**/*.jpg "$photos"/**/*.jpeg "$root"/examples/photos/* ;;
    makernote)
      # A selector byte (photo, Make or Model, Japanese names), then a description file.
      local i=0
      for f in "$root"/initdata/*.ini; do
        case $(basename "$f") in CustomSize*) continue ;; esac
        for selector in 00 01 02 83 c4; do
          { printf "\\x$selector"; cat "$f"; } > "$dir/desc-$i-$selector"
        done
        i=$((i + 1))
      done ;;
    ini)
      seed "$dir" "$root"/initdata/*.ini "$root"/fuzz/seeds/ini/* ;;
    decode)
      seed "$dir" "$root"/fuzz/seeds/decode/* "$root"/examples/photos/*.exif ;;
    layout_load|layout_calc)
      seed "$dir" "$root"/initdata/CustomSize*.ini "$root"/fuzz/seeds/layout/* ;;
    render)
      head -c 512 /dev/zero > "$dir/zeros"
      printf 'layout values' > "$dir/text" ;;
    heif|webp|tiff)
      local i=0 f
      for f in "$root"/examples/photos/*.JPG "$root"/examples/photos/*.jpg; do
        i=$((i + 1))
        convert "$f" -resize 96x96 "$dir/small-$i.png"
        case $target in
          heif)
            heif-enc -q 40 -o "$dir/seed-$i.heic" "$dir/small-$i.png" >/dev/null 2>&1 || true
            heif-enc -A -q 40 -o "$dir/seed-$i.avif" "$dir/small-$i.png" >/dev/null 2>&1 || true ;;
          webp)
            cwebp -quiet -q 40 -metadata all "$f" -resize 96 0 -o "$dir/seed-$i.webp" || true
            cwebp -quiet -lossless "$dir/small-$i.png" -o "$dir/lossless-$i.webp" || true ;;
          tiff)
            convert "$dir/small-$i.png" "$dir/seed-$i.tif"
            convert "$dir/small-$i.png" -compress lzw -orient right-top "$dir/lzw-$i.tif" ;;
        esac
        rm -f "$dir/small-$i.png"
      done ;;
    qtphoto)
      local i=0 f cmyk=/usr/share/color/icc/ghostscript/ps_cmyk.icc
      for f in "$root"/examples/photos/*.JPG "$root"/examples/photos/*.png; do
        i=$((i + 1))
        convert "$f" -resize 96x96 "$dir/small-$i.jpg"
        convert "$f" -resize 96x96 -profile /usr/share/color/icc/ghostscript/a98.icc \
          "$dir/a98-$i.png" 2>/dev/null || true
        [ -f "$cmyk" ] && convert "$dir/small-$i.jpg" -profile "$cmyk" "$dir/cmyk-$i.jpg"
      done ;;
    icc)
      for f in /usr/share/color/icc/*/*.icc /usr/share/color/icc/*.icc; do
        [ -f "$f" ] && [ "$(stat -c %s "$f")" -le 65536 ] && seed "$dir" "$f"
      done
      printf 'acsp' > "$dir/tiny" ;;
  esac
}

max_len() {
  case $1 in
    exif) echo 131072 ;;
    heif|webp|tiff|qtphoto) echo 65536 ;;
    makernote|ini|decode|layout_load|layout_calc) echo 16384 ;;
    *) echo 1024 ;;
  esac
}

status=0
for target in "${targets[@]}"; do
  program=$build/bin/fuzz_$target
  corpus=$build/fuzz-corpus/$target
  seeds=$build/fuzz-seeds/$target
  findings=$build/fuzz-findings/$target
  log=$build/fuzz-logs/$target.log
  mkdir -p "$corpus" "$(dirname "$log")"
  rm -rf "$findings"
  mkdir -p "$findings"
  gather_seeds "$target" "$seeds"
  rc=0
  "$program" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=3072 \
    -max_len="$(max_len "$target")" -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$seeds" > "$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ -z "$runs" ]; then
    runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  fi
  found=$(find "$findings" -type f | wc -l)
  if [ "$rc" -ne 0 ] && [ "$found" -eq 0 ]; then
    found=1 # ended abnormally without keeping an input
  fi
  line=$(printf '%-12s %6ss  runs %10s  findings %d' "$target" "$seconds" "${runs:-0}" "$found")
  if [ "$found" -gt 0 ]; then
    line+="  (see $findings and $log)"
    status=1
  fi
  echo "$line"
done
exit $status
