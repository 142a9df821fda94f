#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless with ctest; then lists the tests
# that were skipped, each with the reason it gave.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
# Leaks that belong to the libraries below us, for a build with the sanitizers (a no-op otherwise).
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/sanitizers/lsan-suppressions.txt:print_suppressions=0}
cd "$build"
status=0
ctest --output-on-failure -j"$(nproc)" "$@" || status=$?
# ctest names skipped tests without their reasons; the log of the run holds them.
awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
     /: Skipped$/ { getline reason; print "  " name ": " reason }' \
  Testing/Temporary/LastTest.log | sort | sed '1i Skipped tests and why:' || true
exit $status
