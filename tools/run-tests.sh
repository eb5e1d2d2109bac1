#!/usr/bin/env bash
# Runs every test: the unit and end-to-end tests under one Xvfb display (ctest), then each
# fuzz target briefly over its corpus. Usage: run-tests.sh BUILD_DIR FUZZ_BUILD_DIR
set -uo pipefail
build=$1
fuzz=$2
root=$(cd "$(dirname "$0")/.." && pwd)

# Mesa and X11 keep a few allocations alive until exit; those are not ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LIBGL_ALWAYS_SOFTWARE=1

status=0
# -noreset: by default Xvfb resets when its last client leaves, refusing connections
# meanwhile, which races with the next test starting. A test that fails is run once more
# (and reported) so one X hiccup under load does not fail the run; a real fault fails twice.
xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600 --repeat until-pass:2 || status=1

FUZZ_SECONDS=${FUZZ_SECONDS:-10} bash "$root/tools/run-fuzz.sh" "$fuzz" || status=1
exit $status
