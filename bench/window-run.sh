#!/usr/bin/env bash
# The sheet window's continuous run against the batch command on the same job, in the same run:
# 40 camera-like photos of 6000 x 4000 on the shipped A3 layout of 12 photos a page
# (CustomSize0002.ini, 4 pages). Prints, per round, both times, their ratio and the longest wait
# of the window's event loop during the window's run (the window repaints at least that often).
#
# usage: bench/window-run.sh [ROUNDS]
# QUORVANE_BUILD_DIR  the build folder (default build/); QUORVANE_PHOTO_SET  the photo folder
# (default ~/.cache/quorvane-bench/photos-40-6000x4000, made once as bench/compare.sh makes it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
photos=${QUORVANE_PHOTO_SET:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane-bench/photos-40-6000x4000}
if [ ! -d "$photos" ]; then
  echo "Making the photo set in $photos (once)" >&2
  rm -rf "$photos.part"
  "$root/../shared/tools/make-photo-set" "$photos.part" 40 6000x4000 >&2
  mv "$photos.part" "$photos"
fi
[ -x "$build/bin/bench_window_run" ] || QUORVANE_BUILD_TARGETS="bench_window_run quorvane-cli" \
  QUORVANE_BUILD_DIR=$build "$root/scripts/build.sh"
QT_QPA_PLATFORM=offscreen "$build/bin/bench_window_run" "$photos" \
  "$root/initdata/CustomSize0002.ini" "$build/bin/quorvane-cli" "${1:-3}"
