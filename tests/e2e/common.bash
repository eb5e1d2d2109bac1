# Shared by the end-to-end scripts: an installation copied to a temporary folder (the
# editor keeps its files beside its executable), starting it, finding its window, screenshots.
set -uo pipefail
# Mesa's driver, loaded and unloaded at run time, leaks a few bytes LeakSanitizer cannot
# attribute; address and undefined-behaviour checks stay on.
export ASAN_OPTIONS=detect_leaks=0
RUX_BIN=$1
BUILD_DIR=$2
INST=$(mktemp -d /tmp/rux-e2e.XXXXXX)
cp "$RUX_BIN" "$INST/rux"
cp -r "$BUILD_DIR/Res" "$INST/Res"
PIDS=()
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
    [ -n "${KEEP_INST:-}" ] || rm -rf "$INST"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# start_editor [args...]: starts the editor in the background; sets EDITOR_PID.
start_editor() {
    (cd /tmp && exec "$INST/rux" "$@" >>"$INST/stdout.log" 2>>"$INST/stderr.log") &
    EDITOR_PID=$!
    PIDS+=("$EDITOR_PID")
}

# wait_window: waits up to 60 s for the editor's window; sets WID.
wait_window() {
    local title="RUX v.1.7.2"
    for _ in $(seq 1 120); do
        WID=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1)
        if [ -n "$WID" ]; then
            # No window manager places it: put it where screenshots see all of it.
            xdotool windowmove --sync "$WID" 0 0 2>/dev/null || xdotool windowmove "$WID" 0 0
            return 0
        fi
        kill -0 "$EDITOR_PID" 2>/dev/null || fail "editor exited before its window appeared: $(tail -n 20 "$INST/stderr.log")"
        sleep 0.5
    done
    fail "no window titled $title"
}

# wait_started: waits until the first frame was drawn (the editor reports its start-up time).
wait_started() {
    for _ in $(seq 1 120); do
        grep -q "RUX started in" "$INST/stderr.log" 2>/dev/null && return 0
        if ! kill -0 "$EDITOR_PID" 2>/dev/null; then
            wait "$EDITOR_PID"
            fail "editor exited with status $?: $(tail -n 20 "$INST/stderr.log")"
        fi
        sleep 0.5
    done
    fail "editor never finished its first frame"
}

# wait_exit SECONDS: waits for the editor to end; sets EXIT_CODE.
wait_exit() {
    for _ in $(seq 1 $(($1 * 10))); do
        if ! kill -0 "$EDITOR_PID" 2>/dev/null; then
            wait "$EDITOR_PID"
            EXIT_CODE=$?
            return 0
        fi
        sleep 0.1
    done
    fail "editor still running after $1 s"
}

screenshot() { import -window "$WID" "$1" 2>/dev/null || fail "screenshot failed"; }

# Mean brightness of a region WxH+X+Y of an image, 0..1.
region_mean() { convert "$1" -crop "$2" +repage -colorspace Gray -format "%[fx:mean]" info:; }

press() { xdotool windowfocus --sync "$WID" 2>/dev/null; xdotool key --window "$WID" "$@"; }

# chord MODIFIER KEY...: holds the modifier over several frames while the keys go down
# (a modifier pressed and released within one frame can be missed).
chord() {
    local mod=$1; shift
    xdotool windowfocus --sync "$WID" 2>/dev/null
    xdotool keydown --window "$WID" "$mod"; sleep 0.3
    for k in "$@"; do xdotool key --window "$WID" "$k"; sleep 0.3; done
    xdotool keyup --window "$WID" "$mod"; sleep 0.3
}

# click X Y [BUTTON]: moves to a window position, waits for a frame, clicks.
click() { xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.2; xdotool click --window "$WID" "${3:-1}"; sleep 0.4; }

# drag BUTTON X0 Y0 X1 Y1: presses at the first position and releases at the second, in small
# steps so that every frame sees some movement.
drag() {
    local b=$1 x0=$2 y0=$3 x1=$4 y1=$5 i
    xdotool mousemove --window "$WID" "$x0" "$y0"; sleep 0.3
    xdotool mousedown --window "$WID" "$b"; sleep 0.3
    for i in 1 2 3 4 5; do
        xdotool mousemove --window "$WID" $((x0 + (x1 - x0) * i / 5)) $((y0 + (y1 - y0) * i / 5)); sleep 0.2
    done
    sleep 0.3
    xdotool mouseup --window "$WID" "$b"; sleep 0.5
}

# add_quick X Y ROW: right-clicks the main view and picks row ROW of "Add quick" (0 = Sprite).
add_quick() {
    click "$1" "$2" 3
    xdotool mousemove --window "$WID" $(($1 + 30)) $(($2 + 10)); sleep 0.5   # "Add quick"
    xdotool mousemove --window "$WID" $(($1 + 180)) $(($2 + 10)); sleep 0.3  # into the submenu
    xdotool mousemove --window "$WID" $(($1 + 180)) $(($2 + 10 + $3 * 22)); sleep 0.3
    xdotool click --window "$WID" 1; sleep 0.5
}

# level_position LEVEL NAME: "x,y" of object NAME in a saved level (through rux-level).
level_position() {
    "$BUILD_DIR/rux-level" json "$1" - |
        python3 -c 'import json,sys
doc=json.load(sys.stdin); name=sys.argv[1]
objs=doc["objects"] if "objects" in doc else [v for k,v in sorted(doc.items()) if k.startswith("objects[")]
for o in objs:
    if o.get("name")==name: print(o.get("position")); break' "$2"
}

# near "X,Y" EX EY TOL: true when the position is within TOL of (EX, EY) on both axes.
near() {
    python3 -c 'import sys
x,y=map(float,sys.argv[1].split(",")); ex,ey,tol=map(float,sys.argv[2:5])
sys.exit(0 if abs(x-ex)<=tol and abs(y-ey)<=tol else 1)' "$@"
}
