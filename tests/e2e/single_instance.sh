# A second editor started while one runs hands focus over and exits; stale or future
# heartbeats do not block a start.
source "$(dirname "$0")/common.bash"
touch -d '-1 hour' "$INST/pdo.pdo"
start_editor
wait_window
wait_started
first=$EDITOR_PID
sleep 1.5
# Hold the first editor still so the focus request can be seen before it is taken.
kill -STOP "$first"
start_editor
wait_exit 10
[ "$EXIT_CODE" -eq 0 ] || fail "second instance exit code $EXIT_CODE"
[ -f "$INST/pdo" ] || fail "second instance left no focus request"
kill -CONT "$first"
EDITOR_PID=$first
for _ in $(seq 1 30); do [ -f "$INST/pdo" ] || break; sleep 0.1; done
[ ! -f "$INST/pdo" ] || fail "the running editor did not take the focus request within 3 s"
WID=$(xdotool search --name '^RUX v.1.7.2$' | head -n 1)
press Escape
wait_exit 20

touch -d '+1 hour' "$INST/pdo.pdo"
start_editor
wait_window
press Escape
wait_exit 20
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after a future heartbeat"
echo "single_instance: ok"
