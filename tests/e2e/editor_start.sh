# The window opens on the level-select dialog over the five panels, and Escape quits.
source "$(dirname "$0")/common.bash"
start_editor
wait_window
wait_started
sleep 1
screenshot "$INST/shot.png"
cp "$INST/shot.png" "$BUILD_DIR/e2e_editor_start.png"
whole=$(region_mean "$INST/shot.png" 1280x720+0+0)
awk -v m="$whole" 'BEGIN { exit !(m > 0.03) }' || fail "the frame is black (mean $whole)"
# The panels' title bars along the top of the work area, left, middle and right.
for region in 200x16+20+44 300x16+500+44 200x16+1050+44; do
    m=$(region_mean "$INST/shot.png" "$region")
    awk -v m="$m" 'BEGIN { exit !(m > 0.05) }' || fail "no panel title bar at $region (mean $m)"
done
[ -f "$INST/pdo.pdo" ] || fail "no heartbeat file while running"
press Escape
wait_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE"
[ ! -f "$INST/pdo.pdo" ] || fail "heartbeat file left behind"
[ -f "$INST/sett.json" ] || fail "settings not written"
[ -f "$INST/Level_layout.ini" ] || fail "layout not written"
grep -q '###Main' "$INST/Level_layout.ini" || fail "layout lacks the main view"
echo "editor_start: ok"
