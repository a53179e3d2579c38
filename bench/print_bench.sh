#!/usr/bin/env bash
# Prints the window to a raw PDF queue of a CUPS scheduler of its own, on
# Qt's offscreen platform: the figures are print_bench's. Root only.
set -euo pipefail
bench=$1
source "$(dirname "$0")/../scripts/xvfb-session.sh"
source "$(dirname "$0")/../scripts/private-cups.sh"
start_private_cups
add_queue Bench
lpadmin -d Bench
QT_QPA_PLATFORM=offscreen "$bench" "${PRINTS:-5}"
