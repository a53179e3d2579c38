#!/usr/bin/env bash
# The real binary under Xvfb: it maps a window titled Form1 with the client
# area of its layout table; with no printer a click on print shows a message
# and the program keeps running; a real pointer click on ＥＮＤ ends it cleanly.
set -euo pipefail
binary=$1
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
read_layout "$(dirname "$binary")/form1_layout.txt"

start_xvfb
CUPS_SERVER=/nonexistent/pelmaro-e2e.sock "$binary" &
app=$!
E2E_PIDS+=("$app")

wait_for 20 find_window Form1 || fail "no window titled Form1 was mapped"
find_window Form1
geometry=$(xwininfo -id "$WINDOW")
grep -q "Width: $WINDOW_WIDTH\$" <<<"$geometry" || fail "client width: $(grep Width <<<"$geometry")"
grep -q "Height: $WINDOW_HEIGHT\$" <<<"$geometry" || fail "client height: $(grep Height <<<"$geometry")"
grep -q 'Map State: IsViewable' <<<"$geometry" || fail "window not viewable"
echo "window Form1 mapped at $WINDOW_WIDTH x $WINDOW_HEIGHT"

# No printer: the message box appears beside the window, nothing ends.
click_control $PRINT
two_windows() { [ "$(xdotool search --onlyvisible --name '^Form1$' | wc -l)" -ge 2 ]; }
wait_for 10 two_windows || fail "no message after a print with no printer"
kill -0 "$app" || fail "the program ended after a failed print"
echo "failed print reported, program still running"
xdotool key --clearmodifiers Return
one_window() { [ "$(xdotool search --onlyvisible --name '^Form1$' | wc -l)" -eq 1 ]; }
wait_for 10 one_window || fail "the message did not close"

end_cleanly "$app"

# Where no window can open: one line saying why, status 1, no abort.
for display in "DISPLAY=:9999" "-u DISPLAY"; do
  status=0
  said=$(env -u WAYLAND_DISPLAY $display "$binary" 2>&1) || status=$?
  [ "$status" -eq 1 ] || fail "with $display the status is $status, not 1: $said"
  [ "$(wc -l <<<"$said")" -eq 1 ] || fail "with $display it says more than one line: $said"
  echo "with $display: $said"
done

# The same readings and 「計 算」 under each desktop language and theme must
# give the very pixels they give under C.UTF-8 with the default theme.
desktop_picture() {
  local out=$1
  shift
  env "$@" "$binary" &
  local app=$!
  E2E_PIDS+=("$app")
  wait_for 20 find_window Form1 || fail "no window with $*"
  find_window Form1
  enter_example
  picture_window "$out"
  kill "$app"; wait "$app" 2>/dev/null || true  # its window gone before the next is looked for
  wait "$app" 2>/dev/null || true
}

[ "$(dpkg-query -W -f='${db:Status-Status}' qt6-gtk-platformtheme 2>/dev/null)" = installed ] \
  || fail "qt6-gtk-platformtheme is missing (make test installs it)"
work=$(mktemp -d)
localedef -i ja_JP -f UTF-8 "$work/ja_JP.UTF-8" && localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" \
  || fail "localedef could not compile ja_JP and de_DE (package locales)"
desktop_picture "$work/c.png" LANG=C.UTF-8
for desktop in "LANG=ja_JP.UTF-8" "LANG=de_DE.UTF-8" "-u LANG" \
               "XDG_CURRENT_DESKTOP=GNOME GTK_THEME=Adwaita:dark"; do
  desktop_picture "$work/other.png" $desktop LOCPATH="$work"
  differing=$(pixels_differing "$work/c.png" "$work/other.png")
  [ "$differing" = 0 ] || fail "$differing pixels differ with $desktop"
  echo "with $desktop: the same pixels as under C.UTF-8"
done

# Focus: a Tab from print to HScroll6 marks that bar and changes no other.
"$binary" &
app=$!
E2E_PIDS+=("$app")
wait_for 20 find_window Form1 || fail "no window"
find_window Form1
focus_window
picture_window "$work/print-focused.png"
keys Tab
picture_when "$work/print-focused.png" "$work/bar-focused.png" differs $HSCROLL6 || fail "the focused bar is not marked"
marked=$(pixels_differing "$work/print-focused.png" "$work/bar-focused.png" $HSCROLL6)
[ "$marked" -gt 20 ] || fail "the focused bar changed only $marked pixels"
others=$(pixels_differing "$work/print-focused.png" "$work/bar-focused.png" $HSCROLL5)
[ "$others" = 0 ] || fail "an unfocused bar changed $others pixels"
echo "the focused bar is marked ($marked pixels), the others unchanged"
kill "$app"; wait "$app" 2>/dev/null || true  # its window gone before the next is looked for

# Typing on a Japanese desktop: the example pair typed as fast as the keys
# go; refused entries and Escape leave the reading as it was once their
# reason has shown; one wheel notch is one step.
LANG=ja_JP.UTF-8 LOCPATH="$work" "$binary" &
app=$!
E2E_PIDS+=("$app")
wait_for 20 find_window Form1 || fail "no window"
find_window Form1
typed_example_matches_stepped "$work"
reading_kept() {  # $1: the label, then the keys that type and end the entry
  local label=$1
  shift
  picture_window "$work/before.png"
  keys "$@"
  picture_window "$work/told.png"
  [ "$(pixels_differing "$work/before.png" "$work/told.png" $label)" != 0 ] || fail "no reason shown for: $*"
  as_before() { picture_window "$work/now.png" && [ "$(pixels_differing "$work/before.png" "$work/now.png")" = 0 ]; }
  wait_for 5 as_before || fail "the reading changed after: $*"
}
keys shift+Tab shift+Tab shift+Tab  # 「リセット」, 「ＥＮＤ」, HScroll1
reading_kept "$LABEL7" 2 5 Return
reading_kept "$LABEL7" minus 3 period 3 3 3 Return
keys shift+Tab
reading_kept "$LABEL8" plus 1 period 5 Return
picture_window "$work/before.png"
keys 7 5 Escape
picture_window "$work/now.png"
[ "$(pixels_differing "$work/before.png" "$work/now.png")" = 0 ] || fail "Escape left the reading changed"
echo "「25」, 「-3.333」 and 「+1.5」 on a cylinder refused with their reason shown; Escape dropped 「75」"
# A notch down on the focused HScroll2, then Left: one step each way.
wheel_control $HSCROLL2 5
picture_window "$work/now.png"
[ "$(pixels_differing "$work/before.png" "$work/now.png" $LABEL8)" != 0 ] || fail "a wheel notch did not move the bar"
keys Left
picture_window "$work/now.png"
[ "$(pixels_differing "$work/before.png" "$work/now.png")" = 0 ] || fail "a wheel notch was not one step"
echo "one wheel notch is one step"
kill "$app"; wait "$app" 2>/dev/null || true  # its window gone before the next is looked for
rm -rf "$work"

# A Wayland-only desktop: headless weston, no X display.
command -v weston >/dev/null || fail "weston is missing (make test installs it)"
runtime=$(mktemp -d)
chmod 700 "$runtime"
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=pelmaro-e2e --idle-time=0 \
  >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_for 10 test -S "$runtime/pelmaro-e2e" || fail "weston did not start"
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=pelmaro-e2e XDG_SESSION_TYPE=wayland \
  WAYLAND_DEBUG=1 "$binary" 2>"$runtime/protocol.log" &
app=$!
E2E_PIDS+=("$app")
shown() { grep -q 'set_title("Form1")' "$runtime/protocol.log" && grep -q 'wl_surface@.*attach(wl_buffer' "$runtime/protocol.log"; }
wait_for 20 shown || fail "no window Form1 drawn on Wayland"
kill -0 "$app" || fail "the program ended on Wayland"
echo "on Wayland: window Form1 drawn"
