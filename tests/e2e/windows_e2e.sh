#!/usr/bin/env bash
# The Windows packages under Wine, used as a user would. The zip holds
# pelmaro.exe at its top and the same files the setup program installs; the
# exe needs only Windows' own DLLs and carries its version information. An
# older version installed silently, then this one over it, then this one
# again: one program in Program Files\Pelmaro, one Start-menu shortcut to it
# and one uninstall entry, with the program's Japanese name and version.
# The installed program, the shortcut's target: the window Form1 maps
# with the client area of its layout table; a reading changed from the keyboard,
# 「計 算」 and 「リセット」 pressed with the pointer, each seen on screen; a
# picture of the window saved beside the zip; the example pair typed gives
# what stepping to it does; print hands a job to Wine's spooler, which
# passes it to the default queue of a CUPS scheduler of the test's own, and
# nothing is said: the page that comes out of the queue's filters is the
# printer's default paper, A5, with the whole window shrunk onto it, also
# when print is pressed by Space with the pointer on a scroll bar or just
# off it. Ten presses with the scheduler stopped: told within 15 s, nine
# not made, and the first (which Wine's spooler can neither list nor
# withdraw) may still come out, as it alone does when the scheduler goes
# on. 「ＥＮＤ」 ends the program with status 0, during a hung print as soon
# as with none.
# Under high-contrast black colours it shows no designed colour, and a
# picture of it is saved too; its printed page is the designed light window. The registered silent uninstall leaves
# nothing behind; before that, setup and uninstall with the program
# running change nothing until it is closed. The zip and the installation
# hold the program's own licence, and the setup program shows it on a page
# of its own. Runs inside the display and the Wine that
# scripts/windows-test.sh starts.
set -euo pipefail
zip=$1
setup=$2
here=$(dirname "$0")
source "$here/../../scripts/xvfb-session.sh"
source "$here/../../scripts/private-cups.sh"
source "$here/../../scripts/wine.sh"
read_layout "$(dirname "$zip")/window/form1_layout.txt"
name=$(sed -n 's/^Name\[ja\]=//p' "$here/../../packaging/pelmaro.desktop")
version=${zip##*/pelmaro-}
version=${version%-windows-x86_64.zip}
printing=
if [ "$(id -u)" -eq 0 ]; then
  printing=yes
  start_private_cups
  cupsd=${E2E_PIDS[-1]}
  trap 'kill -CONT "$cupsd" 2>/dev/null || true; e2e_cleanup' EXIT  # never left stopped
  add_ppd_queue Wine
  lpadmin -p Wine -o PageSize=A5
  A5="148x210 0.809"  # the paper, and the window's scale on it: (148 - 2 x 6.35 mm) / 167.2 mm
  lpadmin -d Wine
fi
work=$(mktemp -d)
unzip -q "$zip" -d "$work/zip"
exe=$work/zip/pelmaro.exe
[ -f "$exe" ] || fail "pelmaro.exe is not at the top of the zip"
# Nothing but Windows' own DLLs: a MinGW runtime or Qt DLL would be missing
# on the optician's PC.
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | grep -iE '^(lib|qt)' || true)
[ -z "$foreign" ] || fail "pelmaro.exe needs DLLs Windows does not have: $foreign"

# What Properties and Task Manager show: each string follows its key.
wrestool -x --raw -t 16 "$exe" | iconv -c -f UTF-16LE -t UTF-8 | tr -s '\0' '\n' >"$work/version.txt"
field() { grep -A1 "$1\$" "$work/version.txt" | tail -n 1; }
[ "$(field FileDescription)" = "$name" ] && [ "$(field ProductVersion)" = "$version" ] \
  && [ "$(field ProductName)" = Pelmaro ] || fail "version information: $(tr '\n' ' ' <"$work/version.txt")"
for readme in "$work"/zip/README-*.txt; do
  [ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "${readme##*/} has no byte-order mark"
  [ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "${readme##*/} has lines without CRLF"
done
# The read-mes' usage part is the manual's; the licence is the program's own.
for manual in ja:README.ja.md en:README.md; do
  usage=$(python3 "$here/../../packaging/windows/readme_usage.py" "$here/../../${manual#*:}" "${manual%%:*}")
  [[ "$(tr -d '\r' <"$work/zip/README-${manual%%:*}.txt")" == *"$usage"* ]] \
    || fail "README-${manual%%:*}.txt does not hold the usage part of ${manual#*:}"
done
cmp -s <(tr -d '\r' <"$work/zip/licenses/Pelmaro-MIT.txt") "$here/../../LICENSE" \
  || fail "the zip's licenses folder does not hold the program's licence, LICENSE"
echo "pelmaro.exe $version: 「$(field FileDescription)」; read-mes with a byte-order mark and CRLF, the usage part of the manuals; the program's licence"

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/Pelmaro"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$name.lnk"
apps() {
  "$WINE" reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' "$work/apps.reg" /y >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$work/apps.reg" | tr -d '\r'
}
entry() { apps | sed -n "s/^\"$1\"=\"\\(.*\\)\"\$/\\1/p"; }
(cd "$(dirname "$zip")" && cpack -G External -D CPACK_PACKAGE_VERSION=0.0.0 \
  -D CPACK_PACKAGE_FILE_NAME=pelmaro-0.0.0-windows-x86_64 -B "$work/older" >/dev/null)
"$WINE" "$work/older/pelmaro-0.0.0-windows-x86_64-setup.exe" /S
[ "$(entry DisplayVersion)" = 0.0.0 ] || fail "the older version was not installed"
"$WINE" "$setup" /S
"$WINE" "$setup" /S
[ "$(apps | grep -c '^"DisplayName"=')" = 1 ] && [ "$(entry DisplayName)" = "$name" ] \
  && [ "$(entry DisplayVersion)" = "$version" ] || fail "uninstall entries: $(apps | grep '^"Display')"
diff -r --exclude=uninstall.exe "$work/zip" "$folder" || fail "the installed files differ from the zip's"
strings -a "$shortcut" | grep -qxF 'C:\Program Files\Pelmaro\pelmaro.exe' || fail "no shortcut 「$name」 to the program"
echo "installed over 0.0.0 and again: one entry 「$name」 $version, the zip's files, a Start-menu shortcut"

# The program the shortcut points to.
exe=$folder/pelmaro.exe
"$WINE" "$exe" &
app=$!
E2E_PIDS+=("$app")
wait_for 60 find_window Form1 || fail "no window titled Form1 was mapped"
find_window Form1
geometry=$(xwininfo -id "$WINDOW")
grep -q "Width: $WINDOW_WIDTH\$" <<<"$geometry" && grep -q "Height: $WINDOW_HEIGHT\$" <<<"$geometry" \
  || fail "client area: $(grep -E 'Width|Height' <<<"$geometry" | tr -s ' \n' ' ')"
echo "window Form1 mapped at $WINDOW_WIDTH x $WINDOW_HEIGHT"

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
  # The outcome reaches the window right after the job is taken.
  alone() { [ "$(xdotool search --onlyvisible --name '^Form1$' | wc -l)" -eq 1 ]; }
  holds_for 2 alone || fail "a message for an accepted job"
  echo "print: Wine's spooler passed the job on ($(file -b "$(kept_documents | tail -n 1)" | cut -d, -f1)), nothing said"
  check_filtered_page "$out" $A5 || fail "the page on A5"
  raster() { gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r96 -sOutputFile="$work/$1.ppm" "$2"; }
  raster clicked "$out"
  read -r left top width height <<<"$HSCROLL5"
  picture_window "$work/bar.png"
  for x in $(((left + width / 2) / TWIPS_PER_PIXEL)) 1; do  # on the bar (its hover shown), then off it
    xdotool mousemove --window "$WINDOW" "$x" $(((top + height / 2) / TWIPS_PER_PIXEL))
    [ "$x" = 1 ] || picture_when "$work/bar.png" "$work/hover.png" differs $HSCROLL5 || fail "no hover on the bar"
    clear_output Wine
    keys space  # print has the focus since its click
    raster "$x" "$(filtered_output Wine)"
    cmp -s "$work/clicked.ppm" "$work/$x.ppm" || fail "the page printed by Space, the pointer at x $x, differs"
  done
  box_says() {
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Form1$' | grep -vx "$WINDOW" | head -n 1)" \
      key ctrl+c && xclip -o -selection clipboard | grep -qF "$1"
  }
  before=$(kept_documents | wc -l)
  kill -STOP "$cupsd"
  start=$SECONDS
  for _ in $(seq 10); do click_control $PRINT; done
  wait_for 15 box_says "あとで印刷されることがあります" && [ $((SECONDS - start)) -le 15 ] \
    && box_says "9回分の印刷ができませんでした。" || fail "stopped scheduler: $(xclip -o -selection clipboard)"
  xdotool key Return
  kill -CONT "$cupsd"
  came_out() { [ "$(kept_documents | wc -l)" -gt "$before" ] && ! lpstat -o | grep -q .; }
  wait_for 30 came_out && [ "$(kept_documents | wc -l)" = $((before + 1)) ] \
    || fail "stopped scheduler going on: $(($(kept_documents | wc -l) - before)) pages came out, not the first alone"
  echo "the same page by Space, the pointer on a bar or off it; ten presses, the scheduler stopped: nine not made"
else
  echo "SKIP print: a CUPS scheduler needs root"
fi

end_cleanly "$app"
# Wine's high-contrast black colours, with its theme off as Windows' is.
{
  echo REGEDIT4
  echo '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]'
  echo '"ThemeActive"="0"'
  echo '[HKEY_CURRENT_USER\Control Panel\Colors]'
  for item in ActiveTitle Background ButtonFace HilightText Menu Scrollbar Window; do echo "\"$item\"=\"0 0 0\""; done
  for item in ButtonDkShadow ButtonHilight ButtonLight ButtonText MenuText TitleText WindowFrame WindowText; do
    echo "\"$item\"=\"255 255 255\""
  done
  echo '"ButtonShadow"="128 128 128"'; echo '"GrayText"="0 255 0"'; echo '"Hilight"="26 235 255"'
} >"$work/black.reg"
"$WINE" regedit /S "$work/black.reg"
# Wine reads the system colours once a session: start a new one.
"$WINESERVER" -k
"$WINESERVER" -w
"$WINE" "$exe" &
app=$!
E2E_PIDS+=("$app")
wait_for 60 find_window Form1 || fail "no window under high-contrast colours"
focus_window
picture_window "$work/black.png"
cp "$work/black.png" "$(dirname "$zip")/pelmaro-windows-high-contrast.png"
# Colours of 「計 算」's face, the title's background and the blue and magenta captions.
designed=$(convert "$work/black.png" -format '%c' histogram:info:- \
  | grep -ciE '#(FFC080|FFFFC0|0000FF|FF00FF)\b' || true)
[ "$designed" = 0 ] || fail "$designed designed colours under high contrast"
read -r left top _ <<<"$COMMAND1"
face=$(convert "$work/black.png" -format "%[hex:p{$((left / TWIPS_PER_PIXEL + 10)),$((top / TWIPS_PER_PIXEL + 10))}]" info:)
[ "$face" = 000000 ] || fail "「計 算」's face is #$face, not the system's black"
echo "high contrast: the system's colours throughout; picture in $(dirname "$zip")/pelmaro-windows-high-contrast.png"
if [ -n "$printing" ]; then
  clear_output Wine
  click_control $COMMAND1
  click_control $PRINT
  check_filtered_page "$(filtered_output Wine)" $A5 || fail "the page under high contrast is not the designed light window"
fi
end_cleanly "$app"

# With the program running, setup and uninstall change nothing before it is
# closed: each asks in a message box over its own window to close it
# (retry or cancel), and a silent run waits for it (WAIT_SECONDS), then
# gives up with exit code GAVE_UP. Each leaves the whole installation as it was, or a whole new
# one. The older version's setup stands for an update, so a finished run
# shows in the entry's version.
running_program() {
  "$WINE" "$exe" &
  app=$!
  E2E_PIDS+=("$app")
  wait_for 60 find_window Form1 || fail "no window to keep running"
  find_window Form1
}
installation() {
  if [ -d "$folder" ]; then (cd "$folder" && find . -type f -print0 | sort -z | xargs -0 md5sum); fi
  if [ -e "$shortcut" ]; then echo "shortcut"; fi
  apps | grep -E '^"(DisplayName|DisplayVersion|InstallLocation|UninstallString)"=' || true
}
unchanged() {
  local now
  now=$(installation)
  [ "$now" = "$whole" ] || fail "$1 changed the installation: $(diff <(echo "$whole") <(echo "$now") | head -n 5 | tr '\n' ' ')"
}
titled() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
shown() { [ "$(titled "$1")" -ge 1 ]; }
asked() { [ "$(titled "$1")" -ge 2 ]; }  # the message box bears its window's title
older=$work/older/pelmaro-0.0.0-windows-x86_64-setup.exe
script=$here/../../packaging/windows/pelmaro.nsi
patience=$(sed -n 's/^!define WAIT_SECONDS //p' "$script")
gave_up=$(sed -n 's/^!define GAVE_UP //p' "$script")
if [ -n "$printing" ]; then
  # ＥＮＤ as quick during a hung print as with none (under Wine, seconds:
  # it waits for a closed window's withdrawal, which no window manager gives).
  took=()
  for print in none hung; do
    running_program
    if [ "$print" = hung ]; then
      kill -STOP "$cupsd"
      click_control $PRINT
      sleep 1.2  # the print system has said nothing for a second
    fi
    start=$(date +%s%N)
    end_cleanly "$app"
    took+=($((($(date +%s%N) - start) / 1000000)))
  done
  kill -CONT "$cupsd"
  [ "${took[1]}" -le $((took[0] + 500)) ] || fail "ＥＮＤ during a hung print: ${took[1]} ms, with none ${took[0]} ms"
  echo "ＥＮＤ during a hung print: gone after ${took[1]} ms, with none after ${took[0]} ms"
fi
running_program
whole=$(installation)

start=$SECONDS
status=0
"$WINE" "$older" /S || status=$?
[ "$status" = "$gave_up" ] || fail "a silent setup with the program running ended with status $status, not $gave_up"
[ $((SECONDS - start)) -ge "$patience" ] || fail "the silent setup gave up after $((SECONDS - start)) s, not waiting"
unchanged "a silent setup that gave up"
echo "silent setup with the program running: gave up after $((SECONDS - start)) s with status $status, nothing changed"

title="^$name $version セットアップ"
"$WINE" "$setup" &
wizard=$!
wait_for 60 shown "$title" || fail "the setup program shows no window"
page=$(xdotool search --onlyvisible --name "$title" | head -n 1)
# Presses Return on the setup's page, then waits for the next page to show.
next_page() {
  local keep=$WINDOW
  WINDOW=$page
  picture_window "$work/page.png"
  xdotool windowfocus --sync "$page" key Return
  picture_when "$work/page.png" "$work/next-page.png" differs || fail "Return on $1 did not lead to the next page"
  WINDOW=$keep
}
next_page "the welcome page"  # 次へ
cp "$work/next-page.png" "$(dirname "$zip")/pelmaro-setup-licence.png"
next_page "the licence page"  # 同意する: the folder page shows, not a question
! asked "$title" || fail "the setup asked before its licence and folder pages"
xdotool windowfocus --sync "$page" key Return  # the folder page: インストール
wait_for 20 asked "$title" || fail "the setup did not ask to close the program"
unchanged "the setup, before asking,"
box=$(xdotool search --onlyvisible --name "$title" | grep -vx "$page" | head -n 1)
xdotool windowfocus --sync "$box" key Escape  # キャンセル
status=0
wait "$wizard" || status=$?
[ "$status" = "$gave_up" ] || fail "the setup cancelled ended with status $status, not $gave_up"
unchanged "the setup cancelled"
echo "setup with the program running: asked to close it after the licence page (picture in $(dirname "$zip")/pelmaro-setup-licence.png); キャンセル changed nothing"

uninstaller=$(entry UninstallString | sed 's/\\"//g; s/\\\\/\\/g')  # C:\...\uninstall.exe
title="^$name [0-9.]* アンインストール"
"$WINE" "$uninstaller" &  # it copies itself and returns; the copy shows the window
wait_for 60 shown "$title" || fail "the uninstaller shows no window"
page=$(xdotool search --onlyvisible --name "$title" | head -n 1)
xdotool windowfocus --sync "$page" key Return  # アンインストール
wait_for 20 asked "$title" || fail "the uninstaller did not ask to close the program"
unchanged "the uninstaller, before asking,"
box=$(xdotool search --onlyvisible --name "$title" | grep -vx "$page" | head -n 1)
xdotool windowfocus --sync "$box" key Escape  # キャンセル
closed() { [ "$(titled "$title")" = 0 ]; }
wait_for 20 closed || fail "the uninstaller cancelled did not end"
unchanged "the uninstaller cancelled"
echo "uninstall with the program running: asked to close it; キャンセル removed nothing"

# Silently, the uninstaller's copy (the one that removes) waits and gives up.
copy_running() {
  local pid
  for pid in $(pgrep -f '\\Un\.exe /S _\?=' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
start=$SECONDS
"$WINE" "$uninstaller" /S
wait_for 20 copy_running || fail "no copy of the uninstaller ran"
copy_done() { ! copy_running; }
wait_for 60 copy_done || fail "the silent uninstall kept waiting"
[ $((SECONDS - start)) -ge "$patience" ] || fail "the silent uninstall gave up after $((SECONDS - start)) s, not waiting"
unchanged "a silent uninstall that gave up"
echo "silent uninstall with the program running: gave up after $((SECONDS - start)) s, nothing removed"

# Closed while a silent setup waits, the program is replaced whole. The
# setup is waiting once it has tried to open the running program's file
# for writing, which Wine's server does with a Linux open, refused or not.
inotifywait -t 20 -e open "$exe" >/dev/null 2>"$work/watch" &
watcher=$!
wait_for 10 grep -q "Watches established" "$work/watch" || fail "no watch on the program's file"
"$WINE" "$older" /S &
silent=$!
wait "$watcher" || fail "the silent setup never tried the running program's file"
kill -0 "$silent" || fail "the silent setup ended before the program was closed"
end_cleanly "$app"
status=0
wait "$silent" || status=$?
[ "$status" = 0 ] && [ "$(entry DisplayVersion)" = 0.0.0 ] || fail "the silent setup after the program closed: status $status, version $(entry DisplayVersion)"
diff -r --exclude=uninstall.exe "$work/zip" "$folder" || fail "the installed files differ from the zip's after waiting"
echo "silent setup: the program closed while it waited, then 0.0.0 installed whole"

quiet=$(entry QuietUninstallString | sed 's/\\"/"/g; s/\\\\/\\/g')  # "C:\...\uninstall.exe" /S
program=${quiet#\"}
program=${program%%\"*}
"$WINE" "$program" ${quiet##*\" }
removed() { [ ! -e "$folder" ] && [ ! -e "$shortcut" ] && ! apps | grep -q '^"DisplayName"='; }
wait_for 30 removed || fail "the silent uninstall left: $(ls "$folder" "$shortcut" 2>&1 | tr '\n' ' ')"
echo "the registered silent uninstall removed the files, the folder, the shortcut and the entry"

# Set up twice into a /D= folder under an empty one of the user's: the
# uninstall takes the folders the setup made, keeps the user's, and keeps a
# made one holding a file. /D= takes the rest of the command line as it is.
mine=$drive_c/空き
mkdir "$mine"
gone() { ! apps | grep -q '^"DisplayName"='; }
for file in "" "眼鏡店 ツール/メモ.txt"; do
  for _ in 1 2; do "$WINE" "$setup" /S '/D=C:\空き\眼鏡店' 'ツール\ペルマロ'; done
  [ -z "$file" ] || touch "$mine/$file"
  "$WINE" 'C:\空き\眼鏡店 ツール\ペルマロ\uninstall.exe' /S
  wait_for 30 gone || fail "the uninstall from C:\空き\眼鏡店 ツール\ペルマロ did not end"
  [ -d "$mine" ] && [ "$(cd "$mine" && find . -mindepth 1)" = "${file:+./${file%/*}$'\n'./$file}" ] \
    || fail "uninstalled with ${file:-nothing} added, C:\空き holds: $(cd "$mine" 2>&1 && find .)"
done
echo "/D=C:\空き\眼鏡店 ツール\ペルマロ: the uninstall removed the folder the setup made, kept C:\空き, and kept it when it held a file"
rm -rf "$work"
