#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless with ctest; then lists the tests
# that were skipped, each with the reason it gave.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
# What the sanitizers must not count against us, for builds with them (a no-op otherwise): leaks
# of the libraries below us, and what ThreadSanitizer cannot see inside Qt.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/sanitizers/lsan-suppressions.txt:print_suppressions=0}
export TSAN_OPTIONS=${TSAN_OPTIONS:-suppressions=$root/sanitizers/tsan-suppressions.txt:ignore_noninstrumented_modules=1:die_after_fork=0:halt_on_error=1}
cd "$build"
status=0
ctest --output-on-failure -j"$(nproc)" "$@" || status=$?
# ctest names skipped tests without their reasons; the log of the run holds them.
awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
     /: Skipped$/ { getline reason; print "  " name ": " reason }' \
  Testing/Temporary/LastTest.log | sort | sed '1i Skipped tests and why:' || true
exit $status
