# A new user's first project: create "Demo" from the level-select screen, add a sprite and a
# text with "Add quick", save, move the text, quit through the exit prompt's "Save", open the
# project again from the command line and find both objects where they were saved.
source "$(dirname "$0")/common.bash"
LEVEL_TOOL="$BUILD_DIR/rux-level"
[ -x "$LEVEL_TOOL" ] || fail "no rux-level in $BUILD_DIR"

position() { level_position "$INST/Projects/Demo.rux" "$1"; }

start_editor
wait_window
wait_started
sleep 1
# Start screen: the first tile creates a project; the name field takes the keys at once.
click 555 260
sleep 0.5
xdotool type --window "$WID" --delay 60 Demo
sleep 0.3
press Return
sleep 1
[ -d "$INST/Projects/Demo" ] || fail "no project folder after Create new: $(tail -n 5 "$INST/stderr.log")"

# Right-click the main view, "Add quick" > "Sprite"; then a text further right.
add_quick 500 300 0
add_quick 700 400 3
chord ctrl s
sleep 1
[ -f "$INST/Projects/Demo.rux" ] || fail "Ctrl+S wrote no level file"
[ -f "$INST/Projects/Demo.led" ] || fail "Ctrl+S wrote no side file"
sprite=$(position "Sprite-1")
text=$(position "Text-1")
[ -n "$sprite" ] && [ -n "$text" ] || fail "saved level lacks the objects: sprite '$sprite' text '$text'"

# The text is selected: three nudges move it 30 to the right. Escape asks, "Save" saves.
xdotool mousemove --window "$WID" 640 500; sleep 0.3
chord ctrl Right Right Right
press Escape
sleep 1
screenshot "$INST/prompt.png"
kill -0 "$EDITOR_PID" 2>/dev/null || fail "closed without asking about the moved text"
# A save that cannot replace the level file (a folder stands in its way) reports why and
# leaves the prompt open; once the way is clear, "Save" (left third of the prompt) saves.
mv "$INST/Projects/Demo.rux" "$INST/first.rux"
mkdir -p "$INST/Projects/Demo.rux/blocked"
click 490 400
sleep 1
kill -0 "$EDITOR_PID" 2>/dev/null || fail "the editor closed although the save failed"
screenshot "$INST/failed.png"
grep -q "Save failed" "$INST/stderr.log" || fail "no word of the failed save"
press Return   # the error dialog's OK
sleep 0.5
rm -rf "$INST/Projects/Demo.rux"
click 490 400
wait_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE"
moved=$(position "Text-1")
expected=$(python3 -c 'import sys; x,y=map(float,sys.argv[1].split(",")); print(x+30, y)' "$text")
python3 -c 'import sys
a=list(map(float,sys.argv[1].split(","))); b=list(map(float,sys.argv[2].split()))
sys.exit(0 if abs(a[0]-b[0])<1e-3 and abs(a[1]-b[1])<1e-3 else 1)' "$moved" "$expected" ||
    fail "text at $moved, expected $expected"
[ "$(position "Sprite-1")" = "$sprite" ] || fail "sprite moved: $(position "Sprite-1") vs $sprite"
cp "$INST/Projects/Demo.rux" "$INST/saved.rux"

# Again, with the project folder (trailing separator) on the command line.
rm -f "$INST/stderr.log"
start_editor "$INST/Projects/Demo/"
wait_window
wait_started
sleep 1.5
screenshot "$INST/reopened.png"
cp "$INST/reopened.png" "$BUILD_DIR/e2e_project_demo.png"
# The text (white letters) is drawn where it was saved; the same area without it is dark grid.
text_area=$(region_mean "$INST/reopened.png" 60x28+730+405)
empty_area=$(region_mean "$INST/reopened.png" 60x28+830+505)
awk -v a="$text_area" -v b="$empty_area" 'BEGIN { exit !(a > b + 0.05) }' ||
    fail "no text drawn at its saved place (mean $text_area, empty $empty_area)"
# Nothing changed since opening: Escape quits without a prompt and the level stays as saved.
press Escape
wait_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after reopening"
cmp -s "$INST/saved.rux" "$INST/Projects/Demo.rux" || fail "reopening and quitting changed the level file"
grep -q "Not a project" "$INST/stderr.log" && fail "the command-line project was not opened"
echo "project_demo: ok"
