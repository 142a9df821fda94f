#!/usr/bin/env bash
# Installs Quorvane into a temporary prefix, starts both programs from there with a new home
# folder, makes index sheets of the example photos, uninstalls, and checks that nothing is left
# outside the prefix's removed files and the settings folder.
# Usage: scripts/install-check.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
home=$work/home
mkdir -p "$home"
cmake -S "$root" -B "$build" -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build "$build" --target quorvane quorvane-cli >/dev/null
cmake --install "$build" >/dev/null
echo "installed:"; (cd "$prefix" && find . -type f | sort | sed 's/^/  /')

export HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen
marker=$work/marker
touch "$marker"
"$prefix/bin/quorvane-cli" sheets --source "$root/examples/photos" --dest "$home/sheets" \
    --layout "$prefix/share/quorvane/initdata/CustomSize0001.ini" --en
# The window opens and stays until it is closed: a few seconds show that it starts.
timeout 5 "$prefix/bin/quorvane" -en >/dev/null 2>&1 || [ $? -eq 124 ]
[ -f "$home/.config/Quorvane/initdata/CustomSize0001.ini" ] || { echo "no settings folder" >&2; exit 1; }

cmake --build "$build" --target uninstall >/dev/null
left=$(find "$prefix" -type f 2>/dev/null | sort)
[ -z "$left" ] || { echo "left in the prefix:"; echo "$left"; exit 1; } >&2
# Outside the prefix only the settings folder and the sheets asked for may be new.
stray=$(find "$home" -newer "$marker" -type f | grep -v -e "^$home/.config/Quorvane/" \
    -e "^$home/sheets/" || true)
[ -z "$stray" ] || { echo "files left outside the settings folder:"; echo "$stray"; exit 1; } >&2
# Restore the build's own prefix setting.
cmake -S "$root" -B "$build" -UCMAKE_INSTALL_PREFIX >/dev/null
echo "install check passed"
