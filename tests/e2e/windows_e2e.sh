#!/usr/bin/env bash
# The shipped pelmaro.exe under Wine, started from the unpacked zip as a
# user would: the window Form1 maps with a 632 x 408 client area; a reading
# changed from the keyboard, 「計 算」 and 「リセット」 pressed with the pointer,
# each seen on screen; the example pair typed gives what stepping to it does; a picture of the window saved beside the zip; print
# hands a job to Wine's spooler, which passes it to the default queue of a
# CUPS scheduler of the test's own, and nothing is said: the page that
# comes out of the queue's filters is the printer's default paper, A5, with
# the whole window shrunk onto it; 「ＥＮＤ」 ends the
# program with status 0. Runs inside the display and the Wine that
# scripts/windows-test.sh starts.
set -euo pipefail
zip=$1
here=$(dirname "$0")
source "$here/../../scripts/xvfb-session.sh"
source "$here/../../scripts/private-cups.sh"
printing=
if [ "$(id -u)" -eq 0 ]; then
  printing=yes
  start_private_cups
  add_ppd_queue Wine
  lpadmin -p Wine -o PageSize=A5
  lpadmin -d Wine
fi
work=$(mktemp -d)
unzip -q "$zip" -d "$work"
exe=$(find "$work" -name pelmaro.exe)
# Nothing but Windows' own DLLs: a MinGW runtime or Qt DLL would be missing
# on the optician's PC.
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | grep -iE '^(lib|qt)' || true)
[ -z "$foreign" ] || fail "pelmaro.exe needs DLLs Windows does not have: $foreign"

"$here/../../scripts/wine.sh" "$exe" &
app=$!
E2E_PIDS+=("$app")
wait_for 60 find_window Form1 || fail "no window titled Form1 was mapped"
find_window Form1
geometry=$(xwininfo -id "$WINDOW")
grep -q 'Width: 632$' <<<"$geometry" && grep -q 'Height: 408$' <<<"$geometry" \
  || fail "client area: $(grep -E 'Width|Height' <<<"$geometry" | tr -s ' \n' ' ')"
echo "window Form1 mapped at 632 x 408"

focus_window
picture_window "$work/start.png"
keys Tab Right  # print -> HScroll6, axis 90 -> 89
picture_when "$work/start.png" "$work/moved.png" differs $LABEL12 || fail "the axis reading did not change"
click_control $COMMAND1
picture_when "$work/moved.png" "$work/calculated.png" differs $LABEL6 || fail "「計 算」 showed no result"
cp "$work/calculated.png" "$(dirname "$zip")/pelmaro-windows.png"
click_control $COMMAND2
picture_when "$work/start.png" "$work/reset.png" matches $LABEL6 || fail "「リセット」 left the result"
for label in "$LABEL6" "$LABEL12"; do
  [ "$(pixels_differing "$work/start.png" "$work/reset.png" $label)" = 0 ] || fail "「リセット」 left $label changed"
done
echo "keyboard, 「計 算」 and 「リセット」 work; picture in $(dirname "$zip")/pelmaro-windows.png"
keys Tab Tab  # from 「リセット」, focused by the click, to print
typed_example_matches_stepped "$work"

if [ -n "$printing" ]; then
  click_control $COMMAND1  # a result line to find on the page
  click_control $PRINT
  out=$(filtered_output Wine)
  sleep 0.5  # the outcome reaches the window right after the job is taken
  [ "$(xdotool search --onlyvisible --name '^Form1$' | wc -l)" -eq 1 ] || fail "a message for an accepted job"
  echo "print: Wine's spooler passed the job on ($(file -b "$(kept_documents | tail -n 1)" | cut -d, -f1)), nothing said"
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r96 -sOutputFile="$work/page.ppm" "$out"
  # (148 - 2 x 6.35 mm) / 167.2 mm
  python3 "$here/page_check.py" "$work/page.ppm" --paper 148x210 --scale 0.809 || fail "the page on A5"
else
  echo "SKIP print: a CUPS scheduler needs root"
fi

end_cleanly "$app"
rm -rf "$work"
