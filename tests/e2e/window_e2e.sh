#!/usr/bin/env bash
# The real binary under Xvfb: it maps a window titled Form1 with a 632 x 408
# client area; with no printer a click on print shows a message and the
# program keeps running; a real pointer click on ＥＮＤ ends it cleanly.
set -euo pipefail
binary=$1
source "$(dirname "$0")/../../scripts/xvfb-session.sh"

start_xvfb
CUPS_SERVER=/nonexistent/pelmaro-e2e.sock "$binary" &
app=$!
E2E_PIDS+=("$app")

wait_for 20 find_window Form1 || fail "no window titled Form1 was mapped"
find_window Form1
geometry=$(xwininfo -id "$WINDOW")
grep -q 'Width: 632$' <<<"$geometry" || fail "client width: $(grep Width <<<"$geometry")"
grep -q 'Height: 408$' <<<"$geometry" || fail "client height: $(grep Height <<<"$geometry")"
grep -q 'Map State: IsViewable' <<<"$geometry" || fail "window not viewable"
echo "window Form1 mapped at 632 x 408"

# No printer: the message box appears beside the window, nothing ends.
click_control $PRINT
two_windows() { [ "$(xdotool search --onlyvisible --name '^Form1$' | wc -l)" -ge 2 ]; }
wait_for 10 two_windows || fail "no message after a print with no printer"
kill -0 "$app" || fail "the program ended after a failed print"
echo "failed print reported, program still running"
xdotool key --clearmodifiers Return
one_window() { [ "$(xdotool search --onlyvisible --name '^Form1$' | wc -l)" -eq 1 ]; }
wait_for 10 one_window || fail "the message did not close"

click_control $COMMAND3
ended() { ! kill -0 "$app" 2>/dev/null; }
wait_for 10 ended || fail "the program did not end after ＥＮＤ"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "ＥＮＤ ended the program with status 0"
