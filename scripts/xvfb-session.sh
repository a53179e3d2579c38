# Shared by the end-to-end tests, the screenshot and the start-up benchmark:
# a private Xvfb display, windows found through the X server, clicks on
# controls where the layout table puts them (read_layout), and clean-up on
# exit. Sourced, not run.

E2E_PIDS=()
e2e_cleanup() {
  local i
  # Newest first: the program before the X server it draws on.
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${E2E_PIDS[i]}" 2>/dev/null || true
    wait "${E2E_PIDS[i]}" 2>/dev/null || true
  done
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Qt wants a private runtime folder; a CI shell as root has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
fi

# Polls a command every 50 ms until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1; shift
  local tries=$((seconds * 20))
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.05
  done
}

# Xvfb picks a free display number itself and writes it to the file.
start_xvfb() {
  local number
  number=$(mktemp)
  # -noreset: a server that resets as its last client leaves refuses the next one.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 test -s "$number" || fail "Xvfb did not start"
  export DISPLAY=":$(tr -d '[:space:]' <"$number")"
  rm -f "$number"
  wait_for 10 xdpyinfo || fail "Xvfb on $DISPLAY does not answer"
}

# Sets WINDOW to the id of the visible window titled exactly $1.
find_window() {
  WINDOW=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$WINDOW" ]
}

# Clicks the middle of a control, given its left, top, width and height in
# twips as the window's layout gives them.
click_control() {
  local x=$(( ($1 + $3 / 2) / TWIPS_PER_PIXEL )) y=$(( ($2 + $4 / 2) / TWIPS_PER_PIXEL ))
  xdotool mousemove --window "$WINDOW" "$x" "$y" click 1
}

# Turns the wheel one notch over the middle of a control (button 4 up, 5
# down), then takes the pointer off it.
wheel_control() {
  local x=$(( ($1 + $3 / 2) / TWIPS_PER_PIXEL )) y=$(( ($2 + $4 / 2) / TWIPS_PER_PIXEL ))
  xdotool mousemove --window "$WINDOW" "$x" "$y" click "$5" mousemove --window "$WINDOW" 1 1
}

# Gives the window the keyboard focus, as a window manager would on a click.
focus_window() {
  xdotool windowfocus --sync "$WINDOW"
}

keys() { xdotool key --delay 30 "$@"; }

# Saves a picture of the window once it has stopped changing: two
# captures in a row alike.
picture_window() {
  local out=$1 previous
  previous=$(mktemp --suffix=.png)
  import -window "$WINDOW" "$previous"
  for _ in $(seq 40); do
    sleep 0.05
    import -window "$WINDOW" "$out"
    if [ "$(compare -metric AE "$previous" "$out" null: 2>&1)" = 0 ]; then
      rm -f "$previous"
      return 0
    fi
    cp "$out" "$previous"
  done
  rm -f "$previous"
  fail "the window kept changing"
}

# Saves a settled picture of the window to $2 once, in the control's box
# ($4.., twips), it "differs" from picture $1 or "matches" it; fails when
# ten seconds have passed without (the picture under way is finished first).
picture_when() {
  local before=$1 out=$2 want=$3 differing end=$((SECONDS + 10))
  shift 3
  while :; do
    picture_window "$out"
    differing=$(pixels_differing "$before" "$out" "$@")
    if { [ "$want" = differs ] && [ "$differing" != 0 ]; } || { [ "$want" = matches ] && [ "$differing" = 0 ]; }; then
      return 0
    fi
    [ "$SECONDS" -lt "$end" ] || return 1
  done
}

# Polls a command every 50 ms for the given seconds and fails as soon as it
# does not succeed: what must stay so, not become so.
holds_for() {
  local seconds=$1; shift
  local tries=$((seconds * 20))
  while [ "$tries" -gt 0 ]; do
    "$@" >/dev/null 2>&1 || return 1
    tries=$((tries - 1))
    sleep 0.05
  done
}

# How many pixels of two pictures differ, optionally in one control's box
# given in twips. (compare's status says only whether they differ.)
pixels_differing() {
  local a=$1 b=$2
  if [ $# -gt 2 ]; then
    local t=$TWIPS_PER_PIXEL
    local crop="$(($5 / t))x$(($6 / t))+$(($3 / t))+$(($4 / t))"
    compare -metric AE "$a[$crop]" "$b[$crop]" null: 2>&1 || true
  else
    compare -metric AE "$a" "$b" null: 2>&1 || true
  fi
}

# From print the Tab key visits HScroll6, 5, 4, 3, 2, 1; Page Down adds the
# large change (15 degrees, 0.25 D). Leaves check -1.00 D at 30 and measured
# -0.50 D at 60 entered, and "計 算" clicked: "Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°".
enter_example() {
  focus_window
  keys Tab Next Next                # HScroll6: axis 90 -> 60
  keys Tab Next Next                # HScroll5: -0.50 D
  keys Tab Tab Next Next Next Next  # HScroll3: axis 90 -> 30
  keys Tab Next Next Next Next      # HScroll2: -1.00 D
  local before
  before=$(mktemp --suffix=.png)
  picture_window "$before"
  click_control $COMMAND1
  picture_when "$before" "$before-after.png" differs $LABEL6 || fail "「計 算」 showed no result"
  rm -f "$before" "$before-after.png"
}

# The pair S -3.25 C -1.50 A 175 / S -3.12 C -1.37 A 172 from the keyboard
# alone, from print in the designed tab order (Shift+Tab reaches 「計 算」,
# 「リセット」, 「ＥＮＤ」, then HScroll1 to HScroll6), and 「計 算」 pressed with
# Enter: typed, or moved with the bars' own keys. Either leaves the focus on
# 「計 算」 and "Ｓ-0.10Ｄ Ｃ-0.20Ｄ Ａ18°" in the result.
repeat_key() { local i; for ((i = 0; i < $1; i++)); do printf '%s ' "$2"; done; }
TYPED_EXAMPLE=(shift+Tab shift+Tab shift+Tab shift+Tab minus 3 period 2 5 shift+Tab 1 period 5 shift+Tab 1 7 5
               shift+Tab minus 3 period 1 2 shift+Tab 1 period 3 7 shift+Tab 1 7 2 shift+Tab shift+Tab Return)
# shellcheck disable=SC2207
STEPPED_EXAMPLE=($(repeat_key 4 shift+Tab) $(repeat_key 13 Next) shift+Tab $(repeat_key 6 Next)
                 shift+Tab Home $(repeat_key 5 Right) shift+Tab $(repeat_key 12 Next) $(repeat_key 12 Right)
                 shift+Tab $(repeat_key 5 Next) $(repeat_key 12 Right) shift+Tab Home $(repeat_key 8 Right)
                 shift+Tab shift+Tab Return)

# The example pair typed, then the same with the bars' own keys after
# 「リセット」: both must leave the very same pixels.
typed_example_matches_stepped() {
  local work=$1
  focus_window
  keys "${TYPED_EXAMPLE[@]}"
  picture_window "$work/typed.png"
  keys shift+Tab Return Tab Tab  # 「リセット」 pressed with Enter, then back to print
  keys "${STEPPED_EXAMPLE[@]}"
  picture_window "$work/stepped.png"
  local differing
  differing=$(pixels_differing "$work/typed.png" "$work/stepped.png")
  [ "$differing" = 0 ] || fail "typing the example pair left $differing pixels unlike stepping to it"
  echo "the example pair: ${#TYPED_EXAMPLE[@]} key presses typed, ${#STEPPED_EXAMPLE[@]} with the bars' own keys; the same window"
}

# Clicks ＥＮＤ and expects the program (pid $1) to end with status 0.
end_cleanly() {
  local app=$1 status=0
  click_control $COMMAND3
  ended() { ! kill -0 "$app" 2>/dev/null; }
  wait_for 20 ended || fail "the program did not end after ＥＮＤ"
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status"
  echo "ＥＮＤ ended the program with status 0"
}

# The box of a control as read_layout's file gives it: left, top, width,
# height in twips.
control_box() {
  local box
  box=$(awk -v name="$1" '$1 == "control" && $2 == name { print $4, $5, $6, $7 }' "$LAYOUT")
  [ "$(wc -w <<<"$box")" = 4 ] || fail "no single box for $1 in $LAYOUT"
  echo "$box"
}

# Reads the window's layout from the file the build writes beside the
# program, from the layout table itself (window/qt/describe_layout.cpp):
# the twips to the pixel, the window's size in pixels, and the boxes of the
# controls the scripts press or look at. Exported for tests/e2e/page_check.py.
read_layout() {
  export PELMARO_LAYOUT=$1
  LAYOUT=$1
  [ -s "$LAYOUT" ] || fail "no layout description $LAYOUT: the build writes it beside the program"
  local size width height
  TWIPS_PER_PIXEL=$(awk '$1 == "twips-per-pixel" { print $2 }' "$LAYOUT")
  size=$(awk '$1 == "window" { print $2, $3 }' "$LAYOUT")
  [[ "$TWIPS_PER_PIXEL $size" =~ ^[1-9][0-9]*\ [0-9]+\ [0-9]+$ ]] || fail "no twips to the pixel or window size in $LAYOUT"
  read -r width height <<<"$size"
  WINDOW_WIDTH=$((width / TWIPS_PER_PIXEL))
  WINDOW_HEIGHT=$((height / TWIPS_PER_PIXEL))
  COMMAND1=$(control_box Command1)
  COMMAND2=$(control_box Command2)
  COMMAND3=$(control_box Command3)
  PRINT=$(control_box print)
  HSCROLL5=$(control_box HScroll5)
  HSCROLL6=$(control_box HScroll6)
  HSCROLL2=$(control_box HScroll2)
  LABEL6=$(control_box Label6)
  LABEL7=$(control_box Label7)
  LABEL8=$(control_box Label8)
  LABEL12=$(control_box Label12)
}
