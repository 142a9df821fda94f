#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the shipped example photos.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
cli=$build/bin/quorvane-cli
photos=$root/examples/photos
echo "== Photo list of $photos"
"$cli" list "$photos"
echo
echo "== EXIF report of IMG_0001.JPG"
"$cli" exif "$photos/IMG_0001.JPG"
