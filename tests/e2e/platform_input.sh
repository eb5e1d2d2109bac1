#!/usr/bin/env bash
# A real click and real typing reach ImGui widgets through the platform layer: drives the
# platform demo window with xdotool and checks what it reports when it closes.
# Usage: platform_input.sh <rux-binary> <build-dir>   (inside xvfb-run; no window manager)
set -euo pipefail
build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
demo=$build/tools/platform_demo/platform_demo
[ -x "$demo" ] || { echo "FAIL: $demo missing (build target platform_demo)"; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no X display; run under xvfb-run"; exit 1; }
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

typed='Hello, RUX 1.86!'
"$demo" "$work/state.txt" >"$work/log" 2>&1 &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^RUX platform demo$' | head -n 1)
[ -n "$wid" ] || { echo "FAIL: demo window never appeared"; cat "$work/log"; exit 1; }
xdotool windowfocus --sync "$wid"
sleep 0.5

# Into the text field (20,100, 300 wide), type, then press the button (20,20, 120x40),
# which also ends the edit so Escape cannot revert it.
xdotool mousemove --window "$wid" 120 109
sleep 0.2
xdotool click 1
sleep 0.3
xdotool type --delay 40 "$typed"
sleep 0.3
xdotool mousemove --window "$wid" 80 40
sleep 0.2
xdotool click 1
sleep 0.3
xdotool key Escape

status=0
timeout 30 tail --pid="$pid" -f /dev/null || { echo "FAIL: demo did not close on Escape"; exit 1; }
wait "$pid" || status=$?
pid=
if [ "$status" -ne 0 ]; then
  echo "FAIL: demo exited with $status"
  cat "$work/log"
  exit 1
fi

expected=$(printf 'clicks=1\ntext=%s' "$typed")
actual=$(cat "$work/state.txt")
if [ "$actual" != "$expected" ]; then
  echo "FAIL: demo reported"
  echo "$actual"
  echo "expected"
  echo "$expected"
  exit 1
fi
echo "PASS: click and typed text reached ImGui"
