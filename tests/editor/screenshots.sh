#!/bin/sh
# Screenshots of the settings editor in Japanese and in English: a calculated preview, the colour
# panel open and the font chooser open, taken on a virtual X screen (xvfb-run) so that real fonts
# are drawn.
# Usage: tests/editor/screenshots.sh [BUILD_DIR [OUTPUT_DIR]]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
out=${2:-/tmp/quorvane-screenshots}
tests="$build/bin/editor_tests"
[ -x "$tests" ] || { echo "build editor_tests first: ninja -C $build editor_tests" >&2; exit 1; }
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

for lang in ja en; do
    case $lang in
    ja) locale=ja_JP.UTF-8 ;;
    *) locale=C.UTF-8 ;;
    esac
    # A fresh settings folder, so the user's own layouts are left alone.
    XDG_CONFIG_HOME="$config/$lang" LANG=$locale LC_ALL=$locale QT_QPA_PLATFORM=xcb \
        QUORVANE_SCREENSHOT_DIR="$out" \
        xvfb-run -a -s "-screen 0 1280x800x24" "$tests" --gtest_filter='Screenshot.*' >/dev/null
    for shot in editor editor-colour editor-font; do
        echo "$out/$shot-$lang.png"
    done
done
