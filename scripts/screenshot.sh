#!/usr/bin/env bash
# Takes docs/screenshot.png: the window under Xvfb after the keyboard has
# entered check -1.00 D at 30 and measured -0.50 D at 60, and "計 算" was
# clicked (enter_example).
set -euo pipefail
binary=$1
output=$2
source "$(dirname "$0")/xvfb-session.sh"
read_layout "$(dirname "$binary")/form1_layout.txt"

start_xvfb
"$binary" &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "no window"
find_window Form1

enter_example
mkdir -p "$(dirname "$output")"
picture_window "$output"
echo "wrote $output"
