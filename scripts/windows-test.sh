#!/usr/bin/env bash
# Runs the Windows build under Wine on a private Xvfb display: the
# cross-built tests through CTest (the window tests drive the real window
# class on Wine's windows platform), then the zip and the setup program as
# a user meets them, with a scripted run of the installed pelmaro.exe. Wine
# keeps its state in a prefix of its own under build/windows, made afresh
# for every run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb-session.sh
zip=$(ls build/windows/pelmaro-*-windows-x86_64.zip)
setup=${zip%.zip}-setup.exe

# The arithmetic's sine, cosine and arctangent are built into the program:
# taken from msvcrt.dll they would be Wine's here and differ on Windows.
trig=$(x86_64-w64-mingw32-objdump -p build/windows/tests/power/power_tests.exe \
  | awk '$1 ~ /^[0-9a-f]+$/ && NF == 3 {print $3}' | grep -xE '(a?(sin|cos|tan)h?|atan2|sincos)f?' || true)
if [ -n "$trig" ]; then
  echo "FAIL: the arithmetic takes $(echo $trig) from a Windows DLL" >&2
  exit 1
fi

source scripts/wine.sh
# No offer to install Mono or Gecko; no menu entries for this desktop made
# from the shortcuts the setup program creates.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
rm -rf "$WINEPREFIX"
start_xvfb
stop_wine() {
  "$WINESERVER" -k 2>/dev/null || true
  e2e_cleanup
}
trap stop_wine EXIT
# Wine's server and services start before the tests: started by a test,
# they would hold its output open and CTest would wait for them.
mkdir -p "$WINEPREFIX"
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" wineboot --init </dev/null >/dev/null 2>&1

# One at a time: the window tests need the keyboard focus of the display.
ctest --preset windows
bash tests/e2e/windows_e2e.sh "$zip" "$setup"
