#!/usr/bin/env bash
# Prints the window to a raw PDF queue of a CUPS scheduler of its own, then
# to one that refuses jobs (each print's message box opening measured too),
# on Qt's offscreen platform: the figures are print_bench's. Root only.
set -euo pipefail
bench=$1
source "$(dirname "$0")/../scripts/xvfb-session.sh"
source "$(dirname "$0")/../scripts/private-cups.sh"
start_private_cups
add_queue Bench
add_queue Refusing
cupsreject Refusing
lpadmin -d Bench
echo "A queue that takes the job:"
QT_QPA_PLATFORM=offscreen "$bench" "${PRINTS:-5}"
lpadmin -d Refusing
echo "A queue that refuses it:"
QT_QPA_PLATFORM=offscreen "$bench" --refused "${PRINTS:-5}"
