# The properties panel with the mouse and keys: select a sprite, change its colour and z layer,
# attach the project's fragment shader, edit its uniform, check the saved level and the
# picture, then undo everything and find the saved level byte for byte as it was.
source "$(dirname "$0")/common.bash"
[ -x "$BUILD_DIR/e2e_make_level" ] || fail "no e2e_make_level in $BUILD_DIR"
LEVEL="$INST/Projects/Sh.rux"
"$BUILD_DIR/e2e_make_level" "$INST/Projects/Sh" || fail "could not make the test project"

# slow_click X Y: a press and a release in different frames.
slow_click() {
    xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3
    xdotool mousedown --window "$WID" 1; sleep 0.3
    xdotool mouseup --window "$WID" 1; sleep 0.5
}
# type_into X Y TEXT: Ctrl+click turns a drag field into a text field with its text selected.
type_into() {
    xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3
    xdotool keydown --window "$WID" ctrl; sleep 0.3
    xdotool mousedown --window "$WID" 1; sleep 0.3
    xdotool mouseup --window "$WID" 1; sleep 0.3
    xdotool keyup --window "$WID" ctrl; sleep 0.3
    xdotool type --window "$WID" --delay 80 "$3"; sleep 0.2
    press Return; sleep 0.6
}
save() { xdotool mousemove --window "$WID" 300 52; chord ctrl s; sleep 0.8; }
field() {  # NAME KEY: a field of object NAME in the saved level
    "$BUILD_DIR/rux-level" json "$LEVEL" - | python3 -c 'import json,sys
for o in json.load(sys.stdin)["objects"]:
    if o["name"]==sys.argv[1]: print(o.get(sys.argv[2], ""))' "$1" "$2"
}
# Mean red and green of a region WxH+X+Y, 0..1.
region_rg() { convert "$1" -crop "$2" +repage -format "%[fx:mean.r] %[fx:mean.g]" info:; }

start_editor "$INST/Projects/Sh"
wait_window
wait_started
sleep 1.5
save
cp "$LEVEL" "$INST/before.rux"

# The first click focuses the main view, the second selects the sprite at the origin.
slow_click 655 420
slow_click 655 420
type_into 1039 220 100   # colour: red 100
type_into 1097 192 5     # z layer 5
slow_click 1258 80       # "Fragment shader" tab
slow_click 1090 280      # shader combo ...
slow_click 1090 325      # ... "tint.frag"
type_into 1050 365 1     # uniform tint: red 1
save
[ "$(field Sprite-1 z-order)" = 5 ] || fail "z layer not saved: $(field Sprite-1 z-order)"
[ "$(field Sprite-1 color)" != 4294967295 ] || fail "colour not saved"
[ "$(field Sprite-1 fragment-shader)" = tint.frag ] || fail "shader not attached: $(field Sprite-1 fragment-shader)"
screenshot "$INST/edited.png"
cp "$INST/edited.png" "$BUILD_DIR/e2e_properties_undo.png"
# The shader draws the white sprite in its tint, now pure red.
read -r red green <<<"$(region_rg "$INST/edited.png" 24x24+643+410)"
awk -v r="$red" -v g="$green" 'BEGIN { exit !(r > 0.8 && g < 0.2) }' ||
    fail "sprite not drawn in the edited tint (red $red, green $green)"

# Undo with the main view focused (its title bar), one finished edit per Ctrl+Z; extra presses
# find an empty history and do nothing.
slow_click 300 52
chord ctrl z z z z z z
save
cmp -s "$INST/before.rux" "$LEVEL" ||
    fail "after undoing everything the level differs: z $(field Sprite-1 z-order), colour $(field Sprite-1 color), shader '$(field Sprite-1 fragment-shader)'"

press Escape
wait_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE"
echo "properties_undo: ok"
