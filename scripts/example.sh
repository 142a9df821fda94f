#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the shipped example photos: their
# index sheets, made with a shipped layout, written below build/example-sheets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
# Only the two programs: tests and benchmarks are built by the test command.
QUORVANE_BUILD_TARGETS="quorvane quorvane-cli quorvane_initdata" "$root/scripts/build.sh"
cli=$build/bin/quorvane-cli
photos=$root/examples/photos
layout=${QUORVANE_EXAMPLE_LAYOUT:-$root/initdata/CustomSize0001.ini}
dest=$build/example-sheets
echo "== Photo list of $photos"
"$cli" list "$photos"
echo
echo "== Index sheets with $(basename "$layout")"
"$cli" sheets --source "$photos" --dest "$dest" --layout "$layout" --full-resolution
echo
echo "The pages are in the folder printed first above."
