#!/usr/bin/env bash
# Takes the pictures of the window that the READMEs show, into the folder
# $2, under Xvfb: screenshot.png, after the keyboard has entered check
# -1.00 D at 30 and measured -0.50 D at 60 and 「計 算」 was clicked
# (enter_example); typed-value.png, a value being typed on a bar after
# that; stale-result.png, once that value is applied, the result marked as
# calculated from other readings. As root, with a CUPS scheduler of its own, also print-message.png,
# what a print without a default printer says, and printed-a4.png, the page
# that comes out of an A4 printer's filters.
set -euo pipefail
binary=$1
folder=$2
source "$(dirname "$0")/xvfb-session.sh"
read_layout "$(dirname "$binary")/form1_layout.txt"
source "$(dirname "$0")/private-cups.sh"
mkdir -p "$folder"
printing=
if [ "$(id -u)" -eq 0 ]; then
  printing=yes
  start_private_cups  # no queue yet, so no default printer
fi

start_xvfb
"$binary" &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "no window"
find_window Form1
main=$WINDOW

enter_example
picture_window "$folder/screenshot.png"
echo "wrote $folder/screenshot.png"

if [ -n "$printing" ]; then
  click_control $PRINT
  message() { WINDOW=$(xdotool search --onlyvisible --name '^Form1$' | grep -vx "$main" | head -n 1); [ -n "$WINDOW" ]; }
  wait_for 15 message || fail "a print without a default printer said nothing"
  message
  picture_window "$folder/print-message.png"
  echo "wrote $folder/print-message.png"
  xdotool windowfocus --sync "$WINDOW" key Return
  WINDOW=$main

  add_ppd_queue A4
  lpadmin -d A4
  click_control $PRINT
  page=$(mktemp --suffix=.png)
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r64 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -sOutputFile="$page" "$(filtered_output A4)"
  convert "$page" -bordercolor '#999999' -border 1 "$folder/printed-a4.png"
  rm -f "$page"
  echo "wrote $folder/printed-a4.png"
else
  echo "SKIP print-message.png and printed-a4.png: a CUPS scheduler needs root"
fi

# From print, Shift+Tab reaches 「計 算」, 「リセット」, 「ＥＮＤ」, then HScroll1.
focus_window
keys shift+Tab shift+Tab shift+Tab shift+Tab minus 3 period 5
picture_window "$folder/typed-value.png"
echo "wrote $folder/typed-value.png"
keys Return
picture_when "$folder/typed-value.png" "$folder/stale-result.png" differs $LABEL6 || fail "the result was not marked"
echo "wrote $folder/stale-result.png"
