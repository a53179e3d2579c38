#!/usr/bin/env bash
# What a blind user hears, from the keyboard on a Japanese desktop: the real
# binary under Xvfb with Orca, Debian's screen reader, in a D-Bus session of
# the test's own, without a speech server; every utterance is in Orca's
# debug log. A bar's move is heard as its reading, a typed value once
# applied, a refusal's reason, the result after 「計 算」. Then Ctrl+C and
# Ctrl+Insert on the clipboard and the selection, and what AT-SPI itself
# tells (tests/e2e/a11y_listen.py). Then what is heard though nothing is
# seen to change: an axis typed from one end to the other, Escape,
# 「リセット」, a second failed print into the open message.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xvfb-session.sh"

for tool in orca dbus-daemon xclip /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || fail "$tool is missing (make test installs it)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "pyatspi is missing (package python3-pyatspi)"

work=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$work"' EXIT
localedef -i ja_JP -f UTF-8 "$work/ja_JP.UTF-8" || fail "localedef could not compile ja_JP (package locales)"
export LANG=ja_JP.UTF-8 LOCPATH=$work
start_xvfb
dbus-daemon --session --nofork --address="unix:path=$work/bus" >/dev/null 2>&1 &
E2E_PIDS+=($!)
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
wait_for 10 test -S "$work/bus" || fail "no D-Bus session"

# Orca writes its debug log through a buffer; on a terminal (script's)
# it writes each line at once. Speech disabled: its utterances are still
# logged, and no speech server is spawned.
log=$work/orca.log
mkdir -p "$work/orca"
script -qfec "orca -u '$work/orca' -d speech --replace --debug-file /dev/tty" "$log" </dev/null >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_for 30 grep -q "ORCA: Startup complete" "$log" || fail "Orca did not start: $(tail -3 "$log")"

CUPS_SERVER=/nonexistent/pelmaro-e2e.sock "$binary" >"$work/app.out" 2>&1 &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "no window titled Form1 was mapped"
focus_window
wait_for 20 grep -q "SPEECH OUTPUT: 'print " "$log" || fail "Orca never heard the window open"

# Each step's keys, then what Orca must say within 15 seconds (it answers
# every key over D-Bus before the window sees it).
heard=0
step() {
  local expected=$1
  shift
  [ $# -eq 0 ] || keys "$@"
  said() { tail -n +"$((heard + 1))" "$log" | grep -a -n -F -- "SPEECH OUTPUT: '$expected" | head -n 1; }
  wait_for 15 said || fail "after '$*' Orca did not say '$expected'; it said: $(tail -n +"$((heard + 1))" "$log" | grep -a 'SPEECH OUTPUT' | cut -c17- | tr '\n' ' ')"
  heard=$((heard + $(said | cut -d: -f1)))
  echo "'$*': $(sed -n "${heard}p" "$log" | grep -ao "SPEECH OUTPUT: '[^']*'\?" )"
}
step "遠用度数実測値（レンズメータ） Ａ スクロールバー 90" Tab
step "89'" Right
step "175'" 1 7 5 Return
step "遠用度数実測値（レンズメータ） Ｃ スクロールバー 0.00" Tab
step "-1.50'" 1 period 5 Return
step "通知 範囲外" 9 Return
step "print " shift+Tab shift+Tab
step "計 算 " shift+Tab
step "通知 Ｓ＋1.50Ｄ Ｃ-1.50Ｄ Ａ85°" space

result="Ｓ＋1.50Ｄ Ｃ-1.50Ｄ Ａ85°"
for copy in ctrl+c ctrl+Insert; do
  echo before | xclip -selection clipboard
  keys "$copy"
  copied() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$result" ]; }
  wait_for 10 copied || fail "$copy put '$(xclip -o -selection clipboard 2>&1)' on the clipboard"
  [ "$(xclip -o -selection primary 2>&1)" = "$result" ] || fail "$copy left '$(xclip -o -selection primary 2>&1)' in the selection"
  echo "$copy: $(xclip -o -selection clipboard), the selection too"
done

reset_said="すべてのバーを最初の値に戻し、残余度数を消しました"
listened=$(/usr/bin/python3 "$here/a11y_listen.py" listen "$reset_said") || fail "AT-SPI: $listened"
echo "$listened"
expected_bars="bar: 遠用度数確認値 Ｓ|0|-10|10|0.01
bar: 遠用度数確認値 Ｃ|0|-5|0|0.01
bar: 遠用度数確認値 Ａ|90|0|180|1
bar: 遠用度数実測値（レンズメータ） Ｓ|0|-10|10|0.01
bar: 遠用度数実測値（レンズメータ） Ｃ|-1.5|-5|0|0.01
bar: 遠用度数実測値（レンズメータ） Ａ|175|0|180|1"
[ "$(grep '^bar: ' <<<"$listened")" = "$expected_bars" ] || fail "the bars as AT-SPI reads them differ"
[ "$(grep '^shown: ' <<<"$listened")" = "shown: $result|on screen
shown: $reset_said|on no label" ] || fail "not one notification after 計 算, then 「リセット」's"

# 「リセット」 pressed through AT-SPI is heard too; the window is as it opened.
step "通知 $reset_said"
step "遠用度数実測値（レンズメータ） Ａ スクロールバー 90" Tab Tab
step "180'" 1 8 0 Return
step "通知 180°" 0 Return  # the thumb to the other end, the reading as it was
step "通知 180°" 1 8 0 Return
step "遠用度数実測値（レンズメータ） Ｃ スクロールバー 0.00" Tab
step "通知 0.00Ｄ" 3 Escape
step "リセット " shift+Tab shift+Tab shift+Tab shift+Tab
step "通知 $reset_said" space
step "print " Tab Tab
step "ウィンドウを印刷できませんでした。プリンタを確認してください。（印刷サーバーに接続できません）'" space
/usr/bin/python3 "$here/a11y_listen.py" press print  # the message still open
step "通知 ウィンドウを印刷できませんでした。プリンタを確認してください。（印刷サーバーに接続できません）"
# The message's second line, as Orca logs it: indented, on a line of its own.
sed -n "$((heard + 1))p" "$log" | grep -aq "^ *2回分の印刷ができませんでした。'" || fail "the second failed print was said without its count"
echo "  then: $(sed -n "$((heard + 1))p" "$log" | grep -ao "2回.*。")"
