#!/usr/bin/env bash
# Wine as every Windows check runs it: Debian's 64-bit Wine, its own prefix
# under build/windows, no debug chatter. Run, it runs its arguments under
# Wine; sourced, it sets WINE and WINESERVER and exports the environment.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
WINEPREFIX=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/windows/wine
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  exec "$WINE" "$@"
fi
