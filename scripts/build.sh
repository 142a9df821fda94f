#!/usr/bin/env bash
# Configures (once) and builds Quorvane into build/ (or $QUORVANE_BUILD_DIR): everything, or only
# the targets named in $QUORVANE_BUILD_TARGETS (for example "quorvane quorvane-cli").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja "$@" >&2
fi
targets=()
for t in ${QUORVANE_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" "${targets[@]}" >&2
