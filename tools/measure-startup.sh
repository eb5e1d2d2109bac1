#!/usr/bin/env bash
# Median time from process start to the end of the first frame, over N runs (default 5),
# of the editor in BUILD_DIR (default build/release), from a fresh copy each run, under Xvfb.
# Usage: xvfb-run -a tools/measure-startup.sh [BUILD_DIR] [N]
set -euo pipefail
build=${1:-build/release}
runs=${2:-5}
times=()
for _ in $(seq 1 "$runs"); do
    inst=$(mktemp -d)
    cp "$build/rux" "$inst/" && cp -r "$build/Res" "$inst/"
    printf '{"checkUpdatesOnStart":"0"}' > "$inst/sett.json"
    "$inst/rux" 2>"$inst/err.log" &
    pid=$!
    for _ in $(seq 1 200); do grep -q "RUX started in" "$inst/err.log" && break; sleep 0.1; done
    t=$(sed -n 's/.*RUX started in \([0-9]*\) ms.*/\1/p' "$inst/err.log" | head -n 1)
    kill "$pid"; wait "$pid" 2>/dev/null || true
    rm -rf "$inst"
    [ -n "$t" ] && times+=("$t")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "startupTime median of " NR " runs: " a[int((NR+1)/2)] " ms (all: " "'"${times[*]}"'" ")"}'
