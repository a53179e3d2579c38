#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs a Windows program under Wine.
# Its output goes through a file, so that the Wine processes it starts (the
# desktop process outlives the program by many seconds) do not hold CTest's
# pipe open and make every test wait for them.
out=$(mktemp)
status=0
"$(dirname "$0")/wine.sh" "$@" </dev/null >"$out" 2>&1 || status=$?
cat "$out"
rm -f "$out"
exit "$status"
