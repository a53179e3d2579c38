# Sourced by the printing tests: makes sure cupsd runs, adds a cups-pdf
# printer as the system default, and restores things on exit. Root only;
# the caller exits 77 (skipped) otherwise. Needs xvfb-session.sh first.
# Afterwards PDF_OUT is the folder the printer writes root's jobs to and
# PDF_MARKER a file older than any job printed from now on.

setup_pdf_printer() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: starting CUPS and adding a printer needs root"
    exit 77
  fi
  local tool
  for tool in cupsd lpadmin lpstat pdfinfo; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make test installs it)"
  done
  [ -x /usr/lib/cups/backend/cups-pdf ] || fail "printer-driver-cups-pdf is missing"

  PDF_PRINTER=PelmaroTestPDF
  PDF_PREVIOUS_DEFAULT=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p' || true)
  trap remove_pdf_printer EXIT

  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    cupsd
    scheduler_up() { lpstat -r | grep -q 'is running'; }
    wait_for 20 scheduler_up || fail "cupsd did not start"
  fi
  lpadmin -p "$PDF_PRINTER" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  lpadmin -d "$PDF_PRINTER"

  PDF_OUT=/root/PDF  # cups-pdf's folder for root's jobs
  mkdir -p "$PDF_OUT"
  PDF_MARKER=$(mktemp)
}

remove_pdf_printer() {
  lpadmin -x "$PDF_PRINTER" 2>/dev/null || true
  [ -n "$PDF_PREVIOUS_DEFAULT" ] && lpadmin -d "$PDF_PREVIOUS_DEFAULT" 2>/dev/null || true
  rm -f "$PDF_MARKER"
  e2e_cleanup
}

# Waits for the job's PDF and sets PDF to its path; fails if it has not
# exactly one page.
wait_for_pdf() {
  new_pdf() { find "$PDF_OUT" -name '*.pdf' -newer "$PDF_MARKER" | grep -q .; }
  wait_for 60 new_pdf || fail "no PDF appeared in $PDF_OUT"
  PDF=$(find "$PDF_OUT" -name '*.pdf' -newer "$PDF_MARKER" | head -n 1)
  readable() { [ -s "$PDF" ] && pdfinfo "$PDF"; }
  wait_for 20 readable || fail "the PDF is not readable"
  local pages
  pages=$(pdfinfo "$PDF" | sed -n 's/^Pages: *//p')
  [ "$pages" = 1 ] || fail "$pages pages"
  echo "printed $PDF: 1 page"
}
