#!/usr/bin/env bash
# Installs Quorvane as the README says (the install strips the programs), into a temporary
# prefix, starts both programs from there with a new home folder, makes index sheets of the
# example photos, uninstalls, and checks that nothing is left: no file and no folder the install
# made, and nothing outside the prefix but the settings folder and the sheets. Then the same into
# a prefix that already holds folders and a file of its own, which the uninstall must leave as
# they were.
# The build's own configuration (its install prefix included) and the record of its last real
# install (install_manifest.txt, install_folders.txt) are left as they were.
# Usage: scripts/install-check.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
QUORVANE_BUILD_DIR=$build QUORVANE_BUILD_TARGETS="quorvane quorvane-cli" "$root/scripts/build.sh"
build=$(cd "$build" && pwd)
work=$(mktemp -d)
records=(install_manifest.txt install_folders.txt)
for r in "${records[@]}"; do
  [ ! -e "$build/$r" ] || cp -p "$build/$r" "$work/$r.saved"
done
restore() {
  for r in "${records[@]}"; do
    if [ -e "$work/$r.saved" ]; then cp -p "$work/$r.saved" "$build/$r"; else rm -f "$build/$r"; fi
  done
  rm -rf "$work"
}
trap restore EXIT
prefix_before=$(grep '^CMAKE_INSTALL_PREFIX:' "$build/CMakeCache.txt" || true)
fail() { echo "install check: $*" >&2; exit 1; }

install_into() {
  cmake --install "$build" --prefix "$1" >/dev/null
  for program in quorvane quorvane-cli; do
    if readelf -S --wide "$1/bin/$program" | grep -q -e '\.symtab' -e '\.debug_'; then
      fail "$program is installed with its symbols (not stripped)"
    fi
  done
  hidden=$(cd "$1" && find . -name '.*' ! -name . | sort)
  [ -z "$hidden" ] || fail "hidden files installed: $hidden"
}

# 1. A new prefix: after the uninstall it is gone, as every folder in it was the install's.
prefix=$work/prefix
home=$work/home
mkdir -p "$home"
install_into "$prefix"
echo "installed:"; (cd "$prefix" && find . -type f | sort | sed 's/^/  /')
export HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen
marker=$work/marker
touch "$marker"
"$prefix/bin/quorvane-cli" sheets --source "$root/examples/photos" --dest "$home/sheets" \
    --layout "$prefix/share/quorvane/initdata/CustomSize0001.ini" --en
# The window opens and stays until it is closed: a few seconds show that it starts.
timeout 5 "$prefix/bin/quorvane" -en >/dev/null 2>&1 || [ $? -eq 124 ]
[ -f "$home/.config/Quorvane/initdata/CustomSize0001.ini" ] || fail "no settings folder"
cmake --build "$build" --target uninstall >/dev/null
if [ -e "$prefix" ]; then
  echo "left in the prefix:" >&2; (cd "$prefix" && find . | sort) >&2; exit 1
fi
# Outside the prefix only the settings folder and the sheets asked for may be new.
stray=$(find "$home" -newer "$marker" -type f | grep -v -e "^$home/.config/Quorvane/" \
    -e "^$home/sheets/" || true)
[ -z "$stray" ] || fail "files left outside the settings folder: $stray"

# 2. A prefix in use: its own folders (empty or not) and files stay, the install's go.
shared=$work/shared
mkdir -p "$shared/bin" "$shared/share/man/man1" "$shared/share/icons"
echo "other" > "$shared/share/man/man1/other.1"
before=$(cd "$shared" && find . | sort)
install_into "$shared"
cmake --build "$build" --target uninstall >/dev/null
after=$(cd "$shared" && find . | sort)
[ "$before" = "$after" ] || fail "the prefix in use changed:
$(diff <(echo "$before") <(echo "$after") || true)"

prefix_after=$(grep '^CMAKE_INSTALL_PREFIX:' "$build/CMakeCache.txt" || true)
[ "$prefix_before" = "$prefix_after" ] || fail "the build's install prefix changed"
echo "install check passed"
