# The main view with the mouse: "Add quick" places a sprite at the clicked world point, the
# wheel zooms toward the pointer, a right-drag pans, the move handle drags the sprite by the
# dragged distance in world units, and Ctrl+Z takes the move back. Positions are read from
# the level file after each Ctrl+S.
source "$(dirname "$0")/common.bash"
[ -x "$BUILD_DIR/rux-level" ] || fail "no rux-level in $BUILD_DIR"
LEVEL="$INST/Projects/MV.rux"
mkdir -p "$INST/Projects/MV"
pos() { level_position "$LEVEL" "$1"; }
save() { chord ctrl s; sleep 0.8; [ -f "$LEVEL" ] || fail "Ctrl+S wrote no level file"; }
xy() { python3 -c 'import sys; x,y=map(float,sys.argv[1].split(",")); print(x+float(sys.argv[2]), y+float(sys.argv[3]))' "$@"; }
expect() {  # NAME EX EY TOL WHAT
    local p; p=$(pos "$1")
    [ -n "$p" ] || fail "$5: no $1 in the level"
    near "$p" "$2" "$3" "$4" || fail "$5: $1 at $p, expected $2,$3"
}

start_editor "$INST/Projects/MV"
wait_window
wait_started
sleep 1.5
# The view's image spans about x 268..1012, y 100..712 of the 1280 x 720 window and shows the
# world origin in its middle at zoom 1 (a world unit per pixel).
add_quick 540 300 0
save
p1=$(pos Sprite-1)
[ -n "$p1" ] || fail "Add quick made no Sprite-1"
read -r x1 y1 <<<"$(xy "$p1" 0 0)"
near "$p1" -100 -106 4 || fail "Sprite-1 at $p1, not under the click"

# One wheel notch up at the first click point: zoom 1/1.3, and that world point stays put, so
# a sprite added 100 pixels further right lands 100/1.3 world units right of Sprite-1.
xdotool mousemove --window "$WID" 540 300; sleep 0.3
xdotool click --window "$WID" 4; sleep 0.8
add_quick 640 300 0
save
expect Sprite-2 "$(python3 -c "print($x1 + 100/1.3)")" "$y1" 1.5 "after zooming in"

# A right-drag 100 pixels to the left pans the world 100/1.3 units; no menu opens.
drag 3 800 550 700 550
add_quick 640 300 0
save
expect Sprite-3 "$(python3 -c "print($x1 + 200/1.3)")" "$y1" 1.5 "after panning"
read -r x3 y3 <<<"$(xy "$(pos Sprite-3)" 0 0)"

# Move tool (E), then drag the centre box (a few pixels right of and below the sprite's
# origin) by (52, 39) pixels: the sprite moves (40, 30) world units.
xdotool mousemove --window "$WID" 900 650; sleep 0.2
press e; sleep 0.5
drag 1 660 320 712 359
save
expect Sprite-3 "$(python3 -c "print($x3 + 52/1.3)")" "$(python3 -c "print($y3 + 39/1.3)")" 1.5 "after the move-handle drag"
screenshot "$INST/moved.png"
cp "$INST/moved.png" "$BUILD_DIR/e2e_main_view.png"

# Ctrl+Z undoes the whole drag in one step.
chord ctrl z
save
expect Sprite-3 "$x3" "$y3" 0.01 "after Ctrl+Z"
expect Sprite-1 "$x1" "$y1" 0.01 "Sprite-1 after Ctrl+Z"

# Everything is saved: Escape closes without a prompt.
press Escape
wait_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE"
echo "main_view: ok"
