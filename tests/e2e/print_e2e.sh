#!/usr/bin/env bash
# Printing through a CUPS scheduler of the test's own, as a user meets it:
# a good queue (the window shrunk first: the whole window must still be on
# the page, in colour, its captions as text; two quick presses, two jobs),
# a disabled queue (the job is held: accepted, so nothing is said), a queue
# that rejects jobs, no server, and a server that takes the connection and
# never answers (each told within 15 s, the window answering meanwhile).
# Then a PPD queue whose filters run: the page that comes out is the paper
# the user or the queue chose, with the whole window on it.
set -euo pipefail
binary=$1
here=$(dirname "$0")
source "$here/../../scripts/xvfb-session.sh"
source "$here/../../scripts/private-cups.sh"
read_layout "$(dirname "$binary")/form1_layout.txt"
for tool in pdftoppm pdftotext pdfinfo gs; do
  command -v "$tool" >/dev/null || fail "$tool is missing (make test installs poppler-utils and ghostscript)"
done
start_private_cups
for queue in Good Disabled Rejecting; do add_queue "$queue"; done
add_ppd_queue Paper
cupsdisable Disabled
cupsreject Rejecting
start_hanging_server
start_xvfb
work=$(mktemp -d)

# One program at a time, so that a second window titled Form1 is a message.
app=
start_program() {
  if [ -n "$app" ]; then kill "$app"; wait "$app" 2>/dev/null || true; fi
  env "$@" "$binary" &
  app=$!
  E2E_PIDS+=("$app")
  wait_for 20 find_window Form1 || fail "no window"
  find_window Form1
}

messages() { echo $(($(xdotool search --onlyvisible --name '^Form1$' | wc -l) - 1)); }
told() { [ "$(messages)" -ge 1 ]; }

# Presses print and waits for the message; closes it again.
expect_told() {
  local start=$SECONDS
  click_control $PRINT
  wait_for 15 told || fail "$1: nothing told within 15 s of the press"
  echo "$1: told after $((SECONDS - start)) s"
  local box
  box=$(xdotool search --onlyvisible --name '^Form1$' | grep -vx "$WINDOW" | head -n 1)
  xdotool windowfocus --sync "$box" key Return
  none() { [ "$(messages)" -eq 0 ]; }
  wait_for 10 none || fail "$1: the message did not close"
}

# Presses print the given number of times; the scheduler must keep as many
# more documents, and nothing is said.
expect_accepted() {
  local presses=${2:-1} before
  before=$(kept_documents | wc -l)
  for _ in $(seq "$presses"); do click_control $PRINT; done
  more() { [ "$(kept_documents | wc -l)" -ge $((before + presses)) ]; }
  wait_for 15 more || fail "$1: not every job reached the scheduler"
  # The outcome reaches the window right after the job is taken.
  none() { [ "$(messages)" -eq 0 ]; }
  holds_for 2 none || fail "$1: a message for an accepted job"
  echo "$1: job accepted, nothing said in 2 s"
}

lpadmin -d Good
start_program
enter_example
xdotool windowsize --sync "$WINDOW" 400 380  # the result line and 計 算 are now off screen
expect_accepted "good queue"
page=$(kept_documents | tail -n 1)
[ "$(pdfinfo "$page" | sed -n 's/^Pages: *//p')" = 1 ] || fail "the page count is not 1"
pdftotext "$page" "$work/page.txt"
for caption in "遠用度数確認値" "計 算" "Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°"; do
  grep -qF "$caption" "$work/page.txt" || fail "\"$caption\" is not on the page as text"
done
echo "the page holds the captions as text, the result line among them"
pdftoppm -r 96 -singlefile "$page" "$work/page"
python3 "$here/page_check.py" "$work/page.ppm"

expect_accepted "good queue, two quick presses" 2

lpadmin -d Disabled
expect_accepted "disabled queue"
lpstat -o Disabled | grep -q . || fail "no job waits on the disabled queue"

lpadmin -d Rejecting
expect_told "queue rejecting jobs"

# The user's saved options for the queue (as `lpoptions -p Paper -o ...`
# writes them) | the paper that must come out (mm) | the window's scale on
# it: the designed size where it fits, shrunk whole where it does not (a
# tray with no size is the queue's default paper) |
# the desktop's language. A5: (148 - 2 x 6.35 mm) / 167.2 mm; hagaki:
# (100 - 12.7) / 167.2.
localedef -i ja_JP -f UTF-8 "$work/ja_JP.UTF-8" || fail "localedef could not compile ja_JP (package locales)"
lpadmin -d Paper
while IFS='|' read -r saved paper scale lang; do
  mkdir -p "$work/home/.cups"
  echo "Dest Paper $saved" >"$work/home/.cups/lpoptions"
  start_program HOME="$work/home" LANG="$lang" LOCPATH="$work"
  enter_example
  clear_output Paper
  click_control $PRINT
  out=$(filtered_output Paper)
  echo "saved options \"$saved\", $lang:"
  check_filtered_page "$out" "$paper" "$scale" || fail "\"$saved\" printed wrong"
done <<'EOF'
|210x297|1|C.UTF-8
|210x297|1|ja_JP.UTF-8
PageSize=A5|148x210|0.809|ja_JP.UTF-8
media=iso_a5_148x210mm|148x210|0.809|C.UTF-8
media=JISB5|182.7x256.5|1|C.UTF-8
PageSize=Letter|215.9x279.4|1|C.UTF-8
media=Custom.100x148mm|100x148|0.522|C.UTF-8
media=Upper|210x297|1|C.UTF-8
EOF

start_program CUPS_SERVER=/nonexistent/pelmaro-e2e.sock
expect_told "no print server"

start_program CUPS_SERVER="$HANGING_SERVER"
focus_window
click_control $PRINT
picture_window "$work/before.png"
keys Tab  # the focus moves on: the window answers while the print waits
picture_window "$work/after.png"
[ "$(pixels_differing "$work/before.png" "$work/after.png")" != 0 ] || fail "the window did not answer"
echo "the window answers while the print system does not"
start=$SECONDS; wait_for 15 told || fail "hanging server: nothing told within 15 s of the press"
echo "hanging server: told after $((SECONDS - start)) s"
rm -rf "$work"
