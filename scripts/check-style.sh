#!/usr/bin/env bash
# The code's habits: every C++ file laid out as .clang-format says, and src/ free of clang-tidy's
# findings (.clang-tidy: the bugprone and performance checks). Tidy reads the compile commands of
# build folder (build/, or $QUORVANE_BUILD_DIR), brought up to date first for its generated sources.
#
# usage: scripts/check-style.sh [format|tidy]   (both when neither is named)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
what=${1:-all}
cd "$root"
status=0
if [ "$what" = all ] || [ "$what" = format ]; then
  if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror; then
    echo "Not laid out as .clang-format says: run clang-format -i on the files named above." >&2
    status=1
  fi
fi
if [ "$what" = all ] || [ "$what" = tidy ]; then
  QUORVANE_BUILD_DIR=$build "$root/scripts/build.sh"
  # g++ builds with -Wconversion, which leaves signedness alone; clang's includes it.
  if ! git ls-files -z 'src/*.cpp' | xargs -0 -P"$(nproc)" -n8 \
      clang-tidy -p "$build" --quiet --extra-arg=-Wno-sign-conversion; then
    echo "clang-tidy found the problems above." >&2
    status=1
  fi
fi
exit $status
