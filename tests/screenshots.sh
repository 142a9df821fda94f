#!/bin/sh
# Screenshots of every window in Japanese and in English, taken on a virtual X screen (xvfb-run)
# so that real fonts are drawn: the main window with a photo folder listed, the sheet creation
# window during a run, with its closing message and after the run, its print dialog and after a
# printed run, the settings editor with a calculated preview, its colour panel and the font
# chooser, and the adjustment dialog with a real camera photo as it opens, zoomed and turned, and
# colour-corrected.
# Usage: tests/screenshots.sh [BUILD_DIR [PHOTO_FOLDER [OUTPUT_DIR]]]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
photos=${2:-$root/examples/photos}
out=${3:-/tmp/quorvane-screenshots}
for suite in mainwindow_tests sheetwindow_tests editor_tests adjustdialog_tests; do
    [ -x "$build/bin/$suite" ] || {
        echo "build the window tests first: cmake --build $build --target $suite" >&2
        exit 1
    }
done
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

for lang in ja en; do
    case $lang in
    ja) locale=ja_JP.UTF-8 ;;
    *) locale=C.UTF-8 ;;
    esac
    for suite in mainwindow_tests sheetwindow_tests editor_tests adjustdialog_tests; do
        # A fresh settings folder, so the user's own Quorvane.ini and layouts are left alone.
        rm -rf "$config/$lang"
        XDG_CONFIG_HOME="$config/$lang" LANG=$locale LC_ALL=$locale QT_QPA_PLATFORM=xcb \
            QUORVANE_SCREENSHOT_DIR="$out" QUORVANE_SCREENSHOT_TAG=$lang \
            QUORVANE_SCREENSHOT_PHOTOS="$photos" \
            xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/$suite" \
            --gtest_filter='Screenshot.*' >/dev/null
    done
done
ls "$out"/*.png
