#!/usr/bin/env bash
# Takes docs/screenshot.png: the window under Xvfb after the keyboard has
# entered check -1.00 D at 30 and measured -0.50 D at 60, and "計 算" was
# clicked.
set -euo pipefail
binary=$1
output=$2
source "$(dirname "$0")/xvfb-session.sh"

start_xvfb
"$binary" &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "no window"
find_window Form1

# From print the Tab key visits HScroll6, 5, 4, 3, 2, 1; Page Down adds the
# large change (15 degrees, 0.25 D).
keys() { xdotool key --delay 30 "$@"; }
keys Tab Next Next                # HScroll6: axis 90 -> 60
keys Tab Next Next                # HScroll5: -0.50 D
keys Tab Tab Next Next Next Next  # HScroll3: axis 90 -> 30
keys Tab Next Next Next Next      # HScroll2: -1.00 D
click_control $COMMAND1
sleep 0.3
mkdir -p "$(dirname "$output")"
import -window "$WINDOW" "$output"
echo "wrote $output"
