# Tool mode: no window, no heartbeat, exit status 0 for help and 1 for errors.
source "$(dirname "$0")/common.bash"
cd /tmp
out=$(env -u DISPLAY "$INST/rux" --help 2>&1); rc=$?
[ "$rc" -eq 0 ] || fail "--help exit $rc"
echo "$out" | grep -q '^Usage:' || fail "no help text: $out"
out=$("$INST/rux" -X 2>&1); rc=$?
[ "$rc" -eq 1 ] || fail "unknown argument exit $rc"
echo "$out" | grep -q 'Unknown argument -X.' || fail "no unknown-argument message: $out"
echo "$out" | grep -q 'Run with --help for help.' || fail "no help hint: $out"
out=$(env -u DISPLAY "$INST/rux" -G -I x.png -O out 2>&1); rc=$?
[ "$rc" -eq 1 ] || fail "no display exit $rc"
[ "$(echo "$out" | grep -ci display)" -ge 1 ] || fail "no word about the display: $out"
[ ! -e "$INST/pdo.pdo" ] || fail "tool mode created pdo.pdo"
echo "tool_mode: ok"
