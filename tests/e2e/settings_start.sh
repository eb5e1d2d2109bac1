# A truncated settings file starts the editor with the values that could be read.
source "$(dirname "$0")/common.bash"
printf '{"resX":"1000","resY":"640","maxFPS":"abc","menuScale":"1.2' > "$INST/sett.json"
start_editor
wait_window
wait_started
geometry=$(xdotool getwindowgeometry "$WID")
echo "$geometry" | grep -q 'Geometry: 1000x640' || fail "window is not 1000x640: $geometry"
press Escape
wait_exit 20
grep -q '"resX":"1000"' "$INST/sett.json" || fail "resX not kept: $(cat "$INST/sett.json")"
grep -q '"maxFPS":"60"' "$INST/sett.json" || fail "bad maxFPS not reset to its default"
echo "settings_start: ok"
