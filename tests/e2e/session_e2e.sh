#!/usr/bin/env bash
# The scripted window session on the offscreen platform, printing to the
# CUPS PDF printer: under the sanitizer build LeakSanitizer checks it at exit.
set -euo pipefail
session=$1
here=$(dirname "$0")
source "$here/../../scripts/xvfb-session.sh"
source "$here/../../scripts/cups-pdf-printer.sh"
setup_pdf_printer

QT_QPA_PLATFORM=offscreen "$session"
wait_for_pdf
rm -f "$PDF"
