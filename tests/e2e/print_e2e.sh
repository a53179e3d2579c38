#!/usr/bin/env bash
# Prints the window through a real CUPS server to its PDF printer: moves a
# cylinder bar and calculates with the pointer, clicks print, and checks the
# PDF: one page, showing the window with its result caption.
set -euo pipefail
binary=$1
here=$(dirname "$0")
source "$here/../../scripts/xvfb-session.sh"
source "$here/../../scripts/cups-pdf-printer.sh"
command -v pdftoppm >/dev/null || fail "pdftoppm is missing (make test installs it)"
setup_pdf_printer

start_xvfb
"$binary" &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "no window"
find_window Form1

for _ in 1 2 3; do click_trough_right $HSCROLL5; done   # cylinder -0.75 D
click_control $COMMAND1
click_control $PRINT
wait_for_pdf

work=$(mktemp -d)
pdftoppm -r 96 -singlefile "$PDF" "$work/page"
python3 "$here/page_check.py" "$work/page.ppm"
rm -rf "$work" "$PDF"
