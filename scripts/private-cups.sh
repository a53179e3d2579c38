# Sourced by the printing tests and the print benchmark, after
# xvfb-session.sh: a CUPS scheduler of their own, with its own configuration,
# spool and socket in a temporary folder, reached through CUPS_SERVER. The
# machine's own printers are never touched. Raw queues print to /dev/null,
# and the scheduler keeps every job's document, so what the program sent
# can be read back; a PPD queue runs its filters, as a real printer's queue
# does, and leaves what they made in a file. Needs root; the caller exits
# 77 (skipped) otherwise.

start_private_cups() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: a CUPS scheduler needs root"
    exit 77
  fi
  local tool
  for tool in cupsd lpadmin lpstat cupsaccept cupsreject cupsenable cupsdisable; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make test installs cups)"
  done
  CUPS_DIR=$(mktemp -d /tmp/pelmaro-cups.XXXXXX)
  # Over the socket, a scheduler may take the user for authenticated by
  # who the process is (PeerCred, which only later cups can turn off);
  # over TCP it asks for a password: PASSWORD_SERVER reaches it so.
  PASSWORD_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  PASSWORD_SERVER=127.0.0.1:$PASSWORD_PORT
  mkdir -p "$CUPS_DIR"/{etc,spool/tmp,cache,state,log}
  chmod -R a+rwX "$CUPS_DIR"
  cat >"$CUPS_DIR/cups-files.conf" <<EOF
ServerRoot $CUPS_DIR/etc
RequestRoot $CUPS_DIR/spool
TempDir $CUPS_DIR/spool/tmp
CacheDir $CUPS_DIR/cache
StateDir $CUPS_DIR/state
ErrorLog $CUPS_DIR/log/error_log
AccessLog $CUPS_DIR/log/access_log
PageLog $CUPS_DIR/log/page_log
FileDevice Yes
Printcap /dev/null
EOF
  cat >"$CUPS_DIR/cupsd.conf" <<EOF
Listen $CUPS_DIR/cups.sock
Listen 127.0.0.1:$PASSWORD_PORT
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /printers/Locked>
  AuthType Basic
  Require valid-user
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  export CUPS_SERVER=$CUPS_DIR/cups.sock
  cupsd -f -c "$CUPS_DIR/cupsd.conf" -s "$CUPS_DIR/cups-files.conf" &
  E2E_PIDS+=($!)
  scheduler_up() { lpstat -r | grep -q 'is running'; }
  wait_for 20 scheduler_up || fail "the private cupsd did not start: $(cat "$CUPS_DIR/log/error_log" 2>/dev/null)"
}

add_queue() {
  lpadmin -p "$1" -E -v file:///dev/null
}

# A queue that asks for a password before it takes anything, reached
# through PASSWORD_SERVER.
add_locked_queue() {
  add_queue Locked
}

# A queue with the PDF printer's PPD (default paper A4): its filters fit the
# job to the paper the job asks for and write PostScript, as a printer
# would receive it, to $CUPS_DIR/<queue>.out.
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
add_ppd_queue() {
  [ -f "$PPD" ] || fail "$PPD is missing (make test installs printer-driver-cups-pdf)"
  lpadmin -p "$1" -E -v "file://$CUPS_DIR/$1.out" -P "$PPD" 2>/dev/null
}

# Before a print: clears what the queue made last.
clear_output() {
  rm -f "$CUPS_DIR/$1.out"
}

# Waits for the queue's job to come out of its filters, then prints the
# file's path.
filtered_output() {
  local out=$CUPS_DIR/$1.out
  done_printing() { [ -s "$out" ] && ! lpstat -o "$1" | grep -q .; }
  wait_for 20 done_printing "$1" || fail "nothing came out of the queue $1"
  echo "$out"
}

# Checks the page a queue's filters made (PostScript or PDF), rasterised at
# 96 dpi: the paper must be $2 (WxH, millimetres) and the window whole on it
# at scale $3 of its designed size (tests/e2e/page_check.py).
check_filtered_page() {
  local raster status=0
  raster=$(mktemp --suffix=.ppm)
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r96 -sOutputFile="$raster" "$1"
  python3 "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/page_check.py" "$raster" --paper "$2" --scale "$3" || status=$?
  rm -f "$raster"
  return "$status"
}

# The documents the scheduler kept, newest last.
kept_documents() {
  ls -tr "$CUPS_DIR"/spool/d* 2>/dev/null || true
}

# A print server that misbehaves part-way (scripts/cups-fault-proxy.py) in
# front of the scheduler: FAULTY_SERVER is its socket; `fault N what
# [seconds]` sets what each new connection meets after its first N requests
# (hold, close, drop, mute, pause S, late S: the proxy says what each is);
# `fault 0 hold` is a server that takes connections and never answers.
start_faulty_server() {
  FAULTY_SERVER=$CUPS_DIR/faulty.sock
  fault 0 hold
  python3 "$(dirname "${BASH_SOURCE[0]}")/cups-fault-proxy.py" "$FAULTY_SERVER" "$CUPS_DIR/cups.sock" \
    "$CUPS_DIR/fault" &
  E2E_PIDS+=($!)
  wait_for 10 test -S "$FAULTY_SERVER" || fail "the faulty server did not start"
}
fault() { echo "$*" >"$CUPS_DIR/fault"; }
