#!/bin/sh
# Screenshots of the main window in Japanese and in English with a photo folder listed, taken on
# a virtual X screen (xvfb-run) so that real fonts are drawn.
# Usage: tests/mainwindow/screenshots.sh [BUILD_DIR [PHOTO_FOLDER [OUTPUT_DIR]]]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
photos=${2:-$root/examples/photos}
out=${3:-/tmp/quorvane-screenshots}
tests="$build/bin/mainwindow_tests"
[ -x "$tests" ] || { echo "build mainwindow_tests first: ninja -C $build mainwindow_tests" >&2; exit 1; }
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

for lang in ja en; do
    case $lang in
    ja) locale=ja_JP.UTF-8 ;;
    *) locale=C.UTF-8 ;;
    esac
    # A fresh settings folder, so the user's own Quorvane.ini is left alone.
    XDG_CONFIG_HOME="$config/$lang" LANG=$locale LC_ALL=$locale QT_QPA_PLATFORM=xcb \
        QUORVANE_SCREENSHOT="$out/main-$lang.png" QUORVANE_SCREENSHOT_PHOTOS="$photos" \
        xvfb-run -a -s "-screen 0 1280x800x24" "$tests" --gtest_filter='Screenshot.*' >/dev/null
    echo "$out/main-$lang.png"
done
