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
