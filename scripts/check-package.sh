#!/usr/bin/env bash
# Checks the .deb that `make package` made as Debian would (lintian: no
# error, no warning), then installs it as an optician would and checks that
# the program is on PATH, its menu entry and its AppStream metadata are
# valid, its manual pages show in English and in Japanese, ragged-right,
# the manual for opticians and its pictures are where the pages point, and
# the window opens; then removes the package and checks that nothing is
# left. Root only.
set -euo pipefail
deb=$(ls build/default/package/pelmaro_*.deb | head -n 1)
[ "$(id -u)" -eq 0 ] || { echo "check-package: installing a package needs root" >&2; exit 1; }
source "$(dirname "$0")/xvfb-session.sh"

# libcups is loaded on the first print, so no link shows the need for it.
dpkg-deb -f "$deb" Depends | grep -qw libcups2 || fail "the package does not depend on libcups2"
# Informational tags may stay; errors and warnings may not.
lint=$(lintian "$deb" 2>&1 | grep -v '^running with root privileges' || true)
[ -n "$lint" ] && echo "$lint"
! grep -q '^[EW]: ' <<<"$lint" || fail "lintian finds errors or warnings in $deb"
echo "lintian: no error, no warning"
export DEBIAN_FRONTEND=noninteractive
# A copy left by an earlier run that failed would hide this one (same version).
apt-get remove -y pelmaro </dev/null >/dev/null 2>&1 || true
apt-get install -y "./$deb" </dev/null >/dev/null
[ "$(command -v pelmaro)" = /usr/bin/pelmaro ] || fail "pelmaro is not on PATH"
entry=/usr/share/applications/pelmaro.desktop
[ -f "$entry" ] || fail "no desktop entry in /usr/share/applications"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
echo "installed: /usr/bin/pelmaro and $entry (valid)"

# The metainfo file is named by its id, and launches the desktop entry.
metainfo=$(dpkg -L pelmaro | grep '^/usr/share/metainfo/.*\.metainfo\.xml$' || true)
[ "$(wc -l <<<"$metainfo")" = 1 ] || fail "not one metainfo file: $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata does not validate"
id=$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$metainfo")
[ "$metainfo" = "/usr/share/metainfo/$id.metainfo.xml" ] || fail "$metainfo is not named by its id $id"
grep -qF "<launchable type=\"desktop-id\">${entry##*/}</launchable>" "$metainfo" || fail "$metainfo does not launch ${entry##*/}"
grep -qF "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$metainfo" || fail "$metainfo lacks this release"
echo "AppStream: $metainfo (valid), launching ${entry##*/}"

# Each manual page in its own language, with no formatter warning, pointing
# to the manual for opticians, and ragged-right in an English and a Japanese
# locale: shown as it is, it is what it is with adjustment turned off (no
# line spread into gaps).
manual=/usr/share/doc/pelmaro/README.ja.md.gz
named=$(zcat "${manual%/*}/changelog.gz")
locales=$(mktemp -d)
localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" || fail "localedef could not compile ja_JP (package locales)"
for page in /usr/share/man/man1/pelmaro.1.gz:NAME /usr/share/man/ja/man1/pelmaro.1.gz:名前; do
  for locale in C.UTF-8 ja_JP.UTF-8; do
    export LOCPATH=$locales LC_ALL=$locale MANWIDTH=80
    shown=$(man --warnings -E UTF-8 -l "${page%%:*}" 2>&1)
    grep -q '^troff\|^man:' <<<"$shown" && fail "man ${page%%:*}: $(grep '^troff\|^man:' <<<"$shown" | head -n 3)"
    grep -qx "${page##*:}" <<<"$shown" || fail "${page%%:*} shows no ${page##*:} section"
    grep -qF "$manual" <<<"$shown" || fail "${page%%:*} does not point to $manual"
    named+=$shown
    ragged=$(zcat "${page%%:*}" | sed '1i .ad l\n.rm ad' | man -E UTF-8 -l - 2>/dev/null)
    [ "$shown" = "$ragged" ] || fail "${page%%:*} is justified under $locale: $(diff <(echo "$ragged") <(echo "$shown") | grep '^>' | head -n 3)"
  done
done
unset LOCPATH LC_ALL MANWIDTH
rm -rf "$locales"
echo "manual pages: pelmaro(1) in English and Japanese, ragged-right"

# What the pages and the changelog name of the documentation folder is
# there, and so is what the manual links to: its pictures, the licence.
links=$(zcat "$manual" | grep -o '](\([^)#:]*\))' | sed "s|^](\(.*\))\$|${manual%/*}/\1|")
grep -q '\.png$' <<<"$links" || fail "$manual shows no picture"
for path in $(grep -o "${manual%/*}/[A-Za-z0-9._/-]*[A-Za-z0-9]" <<<"$named") $links; do
  [ -f "$path" ] || fail "$path is named or linked to but not installed"
done
echo "documentation: $manual where the manual pages point, and all it links to"

start_xvfb
pelmaro &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "the installed program shows no window"
echo "the installed program opens its window"
e2e_cleanup
E2E_PIDS=()

apt-get remove -y pelmaro </dev/null >/dev/null
for file in /usr/bin/pelmaro "$entry" "$metainfo" /usr/share/man/man1/pelmaro.1.gz /usr/share/man/ja/man1/pelmaro.1.gz \
            /usr/share/doc/pelmaro; do
  [ ! -e "$file" ] || fail "$file left after removal"
done
echo "removed: nothing left behind"
