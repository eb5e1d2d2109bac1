#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS over its corpus (fuzz/corpus/NAME, copied so the
# committed corpus never changes). Prints one line per target and a closing count.
set -uo pipefail
fuzz=$1
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-10}
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
passed=0
failed=0
shopt -s nullglob
for bin in "$fuzz"/fuzz/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin"); name=${name#fuzz_}
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$work/"
  if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
      -artifact_prefix="$work/" "$work" >"$work.log" 2>&1; then
    echo "fuzz $name: ok"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FAILED (log follows)"
    tail -n 60 "$work.log"
    failed=$((failed + 1))
  fi
  rm -rf "$work" "$work.log"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
