#!/usr/bin/env bash
# The README's two commands as a newcomer meets them: a brand-new Debian 12
# from its point release alone, without the security and stable updates
# since, so with the oldest packages a user may have (mmdebstrap
# --variant=apt, plus git and make, nothing else), a fresh clone
# of the current commit in it, then `make run`, whose window must map on a
# display this machine shares with it (「ＥＮＤ」 then closes it), and
# `make test`. Says how long each took. The system is made once and cached
# outside the clone, keyed by what makes it; every run unpacks a fresh copy.
# The packages the two commands download are kept beside it, so that only
# the first run waits for them. As root (it changes root into the system);
# needs no display and no input.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb-session.sh
[ "$(id -u)" -eq 0 ] || fail "run as root: the check changes root into a Debian system of its own"
scripts/ensure-packages mmdebstrap xvfb xdotool x11-utils

# The system: its release, variant and packages, and this machine's mirror
# and the way it reaches it (its sources and its Acquire settings).
suite=bookworm
variant=apt
include=git,make
# This machine's mirror of the release itself: its other suites (security,
# updates) left out.
point_release=$(mktemp --suffix=.sources)
{
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] && grep -hE "^deb\s+(\[[^]]*\]\s+)?\S+\s+$suite\s" "$file" || true
  done | awk '{ print "Types: deb\nURIs: " $2 "\nSuites: '"$suite"'\nComponents: main\n" }'
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && awk -v RS= -v ORS='\n\n' -v suite="$suite" \
      '/(^|\n)Types:[^\n]*deb([ \n]|$)/ && $0 ~ "Suites:[^\\n]*[[:space:]]" suite "([[:space:]]|$)"' "$file" |
      sed -E "s/^Types:.*/Types: deb/; s/^Suites:.*/Suites: $suite/"
  done
} >"$point_release"
grep -q '^URIs:' "$point_release" || fail "no Debian $suite source in /etc/apt"
sources=("$point_release")
aptopts=()
for file in /etc/apt/apt.conf.d/*; do
  grep -q '^Acquire::' "$file" 2>/dev/null && aptopts+=(--aptopt="$file")
done
key=$( (echo "$suite $variant $include"; cat "${sources[@]}" "${aptopts[@]#--aptopt=}") | sha256sum | cut -c1-12)
if [ -w /var/cache ]; then cache=/var/cache/pelmaro; else cache=${XDG_CACHE_HOME:-$HOME/.cache}/pelmaro; fi
image=$cache/debian12-$key.tar
debs=$cache/debian12-debs
mkdir -p "$cache" "$debs/partial"
(
  flock 9
  if [ ! -f "$image" ]; then
    echo "fresh-check: making a minimal Debian 12 into $image"
    mmdebstrap --quiet --variant="$variant" --include="$include" "${aptopts[@]}" \
      "$suite" "$image.part.tar" "${sources[@]}" </dev/null  # the ending tells it to write a tarball
    mv "$image.part.tar" "$image"
  fi
) 9>"$cache/debian12.lock"  # not the Windows Qt's lock: both may be made at once

root=$(mktemp -d /var/tmp/pelmaro-fresh.XXXXXX)
remove_root() {
  e2e_cleanup
  # The mounts live in namespaces that end with their commands; never
  # delete through one that is somehow still there.
  if ! findmnt -rn -o TARGET | grep -q "^$root/"; then
    rm -rf --one-file-system "$root"
  fi
}
trap remove_root EXIT
tar -xf "$image" -C "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone -q --no-hardlinks "$PWD" "$root/root/pelmaro"
git -C "$root/root/pelmaro" checkout -q --detach "$(git rev-parse HEAD)"

# Runs a command in the clone inside the system, as root with a bare
# environment. With share_display=yes it sees this machine's X sockets.
in_debian() {
  local command=$1 share_display=${2:-no}
  unshare --mount --pid --fork --kill-child bash -c '
    set -e
    root=$1 debs=$2 share=$3 command=$4
    mount --make-rprivate /
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount --rbind /sys "$root/sys"
    mount --bind "$debs" "$root/var/cache/apt/archives"
    environment=(HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb)
    if [ "$share" = yes ]; then
      mkdir -p "$root/tmp/.X11-unix"
      mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
      environment+=(DISPLAY="$DISPLAY")
    fi
    exec chroot "$root" env -i "${environment[@]}" bash -c "cd /root/pelmaro && $command"
  ' _ "$root" "$debs" "$share_display" "$command" </dev/null
}

start_xvfb
started=$(date +%s)
in_debian "make run" yes &
app=$!
E2E_PIDS+=("$app")
shown_or_gone() { find_window Form1 || ! kill -0 "$app" 2>/dev/null; }
wait_for 2400 shown_or_gone || fail "make run: no window after 40 minutes"
find_window Form1 || fail "make run ended without a window"
run_seconds=$(($(date +%s) - started))
echo "fresh-check: make run mapped the window Form1 after $run_seconds s"
read_layout "$root/root/pelmaro/build/default/window/form1_layout.txt"  # written by that build
end_cleanly "$app"

started=$(date +%s)
in_debian "make test"
test_seconds=$(($(date +%s) - started))
echo "fresh-check: on a brand-new Debian 12, make run showed the window in $run_seconds s, then make test passed in $test_seconds s"
