#!/usr/bin/env bash
# The scripted window session on the offscreen platform, printing to a
# queue of a CUPS scheduler of its own: under the sanitizer build
# LeakSanitizer checks it at exit, after the print has been handed over.
set -euo pipefail
session=$1
here=$(dirname "$0")
source "$here/../../scripts/xvfb-session.sh"
source "$here/../../scripts/private-cups.sh"
start_private_cups
add_queue Session
lpadmin -d Session

QT_QPA_PLATFORM=offscreen "$session"
page=$(kept_documents | tail -n 1)
[ -n "$page" ] || fail "the session printed nothing"
[ "$(pdfinfo "$page" | sed -n 's/^Pages: *//p')" = 1 ] || fail "the printed page count is not 1"
echo "printed one page"
