#!/usr/bin/env bash
# Installs the .deb that `make package` made, as an optician would, checks
# that the program is on PATH, its menu entry is valid and the window opens,
# then removes the package and checks that nothing is left. Root only.
set -euo pipefail
deb=$(ls build/default/package/pelmaro_*.deb | head -n 1)
[ "$(id -u)" -eq 0 ] || { echo "check-package: installing a package needs root" >&2; exit 1; }
source "$(dirname "$0")/xvfb-session.sh"

# libcups is loaded on the first print, so no link shows the need for it.
dpkg-deb -f "$deb" Depends | grep -qw libcups2 || fail "the package does not depend on libcups2"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y "./$deb" </dev/null >/dev/null
[ "$(command -v pelmaro)" = /usr/bin/pelmaro ] || fail "pelmaro is not on PATH"
entry=/usr/share/applications/pelmaro.desktop
[ -f "$entry" ] || fail "no desktop entry in /usr/share/applications"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
echo "installed: /usr/bin/pelmaro and $entry (valid)"

start_xvfb
pelmaro &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "the installed program shows no window"
echo "the installed program opens its window"
e2e_cleanup
E2E_PIDS=()

apt-get remove -y pelmaro </dev/null >/dev/null
[ ! -e /usr/bin/pelmaro ] && [ ! -e "$entry" ] || fail "files left after removal"
echo "removed: nothing left behind"
