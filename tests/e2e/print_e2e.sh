#!/usr/bin/env bash
# Prints the window through a real CUPS server to its PDF printer: moves a
# cylinder bar and calculates with the pointer, clicks print, and checks the
# PDF: one page, showing the window with its result caption. Starts cupsd
# and adds the printer as it needs (root only); removes the printer after.
set -euo pipefail
binary=$1
here=$(dirname "$0")
source "$here/../../scripts/xvfb-session.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: starting CUPS and adding a printer needs root"
  exit 77
fi
for tool in cupsd lpadmin pdfinfo pdftoppm; do
  command -v "$tool" >/dev/null || fail "$tool is missing (make test installs it)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "printer-driver-cups-pdf is missing"

printer=PelmaroTestPDF
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p' || true)
cleanup_printer() {
  lpadmin -x "$printer" 2>/dev/null || true
  [ -n "$previous_default" ] && lpadmin -d "$previous_default" 2>/dev/null || true
  e2e_cleanup
}
trap cleanup_printer EXIT

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  cupsd
  scheduler_up() { lpstat -r | grep -q 'is running'; }
  wait_for 20 scheduler_up || fail "cupsd did not start"
fi
lpadmin -p "$printer" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d "$printer"

# cups-pdf writes root's jobs to ~root/PDF, named after the job's title.
out=/root/PDF
mkdir -p "$out"
marker=$(mktemp)

start_xvfb
"$binary" &
E2E_PIDS+=($!)
wait_for 20 find_window Form1 || fail "no window"
find_window Form1

for _ in 1 2 3; do click_trough_right $HSCROLL5; done   # cylinder -0.75 D
click_control $COMMAND1
click_control $PRINT

new_pdf() { find "$out" -name '*.pdf' -newer "$marker" | grep -q .; }
wait_for 60 new_pdf || fail "no PDF appeared in $out"
pdf=$(find "$out" -name '*.pdf' -newer "$marker" | head -n 1)
settled() { [ "$(stat -c %s "$pdf")" -gt 0 ] && pdfinfo "$pdf"; }
wait_for 20 settled || fail "the PDF is not readable"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 1 ] || fail "$pages pages"
echo "printed $pdf: 1 page"

work=$(mktemp -d)
pdftoppm -r 96 -singlefile "$pdf" "$work/page"
python3 "$here/page_check.py" "$work/page.ppm"
rm -rf "$work" "$marker" "$pdf"
