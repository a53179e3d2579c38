#!/usr/bin/env python3
"""A print server that misbehaves part-way: listens on a socket and passes
each connection's first N requests and their answers between the client
and the real scheduler; what becomes of the next one is read from a file
at each new connection, "N what [seconds]", so one proxy serves a whole
table of cases:
  hold      the request is not passed on, and nothing is answered
  close     the request is not passed on, the connection is closed
  drop      the request is passed on and carried out, the connection is
            closed before its answer
  mute      the request is passed on and carried out, its answer never comes
  pause S   its answer's headers come, its body S seconds later
  late S    every answer, from the first on, comes S seconds late
"0 hold" is a server that takes connections and never answers. How many
connections clients hold open is kept in FAULT_FILE.open: 0 once a print
has let go of the server.

usage: cups-fault-proxy.py LISTEN_SOCKET SCHEDULER_SOCKET FAULT_FILE"""
import os
import socket
import sys
import threading
import time


def pass_request(client, pending, forward):
    """Hands one HTTP request to `forward` as it comes (its headers whole,
    then its body by length or in chunks, so that an early answer such as
    "100 Continue" is not held up); returns what follows it, or None if
    the client left."""
    def more(buffer):
        data = client.recv(65536)
        if not data:
            raise EOFError
        return buffer + data
    try:
        while b"\r\n\r\n" not in pending:
            pending = more(pending)
        head, _, pending = pending.partition(b"\r\n\r\n")
        forward(head + b"\r\n\r\n")
        headers = dict(line.lower().partition(b":")[::2] for line in head.split(b"\r\n")[1:])
        if headers.get(b"transfer-encoding", b"").strip() == b"chunked":
            while True:
                while b"\r\n" not in pending:
                    pending = more(pending)
                size_line, _, pending = pending.partition(b"\r\n")
                size = int(size_line.split(b";")[0], 16)
                while len(pending) < size + 2:
                    pending = more(pending)
                forward(size_line + b"\r\n" + pending[:size + 2])
                pending = pending[size + 2:]
                if size == 0:
                    return pending
        length = int(headers.get(b"content-length", b"0"))
        while len(pending) < length:
            pending = more(pending)
        forward(pending[:length])
        return pending[length:]
    except EOFError:
        return None


class Connection:
    def __init__(self, client, scheduler, fault):
        passes, self.what, *seconds = fault.split()
        self.passes = int(passes)
        self.seconds = float(seconds[0]) if seconds else 0.0
        self.client = client
        self.server = socket.socket(socket.AF_UNIX)
        self.server.connect(scheduler)
        self.sent = 0  # requests passed on so far
        threading.Thread(target=self.answers, daemon=True).start()

    def answers(self):
        """Passes the scheduler's answers on, as the fault says. An answer
        is known by its status line; "100 Continue" is not one."""
        try:
            while data := self.server.recv(65536):
                final = data.startswith(b"HTTP/") and not data.startswith(b"HTTP/1.1 100")
                faulty = self.sent > self.passes
                if faulty and self.what in ("drop", "mute"):
                    if final and self.what == "drop":
                        self.client.shutdown(socket.SHUT_RDWR)
                        return
                    continue
                if final and self.what == "late":
                    time.sleep(self.seconds)
                if final and faulty and self.what == "pause":
                    head, mark, body = data.partition(b"\r\n\r\n")
                    self.client.sendall(head + mark)
                    time.sleep(self.seconds)
                    data = body
                self.client.sendall(data)
        except OSError:
            pass

    def serve(self):
        pending = b""
        while True:
            while not pending:  # the next request begins
                data = self.client.recv(65536)
                if not data:
                    return
                pending += data
            held = self.sent >= self.passes and self.what in ("hold", "close")
            if held and self.what == "close":
                self.client.shutdown(socket.SHUT_RDWR)
                return
            if not held:
                self.sent += 1
            pending = pass_request(self.client, pending, (lambda data: None) if held else self.server.sendall)
            if pending is None:
                return


def main():
    listen, scheduler, fault_file = sys.argv[1:]
    proxy = socket.socket(socket.AF_UNIX)
    proxy.bind(listen)
    proxy.listen(64)
    lock = threading.Lock()
    open_connections = [0]

    def count(change):
        with lock:
            open_connections[0] += change
            with open(fault_file + ".part", "w") as f:
                f.write(str(open_connections[0]))
            os.replace(fault_file + ".part", fault_file + ".open")

    count(0)
    while True:
        client = proxy.accept()[0]
        count(+1)
        with open(fault_file) as f:
            connection = Connection(client, scheduler, f.read())

        def serve(connection=connection):
            try:
                connection.serve()
            except OSError:
                pass
            # Whatever the proxy did, the client holds its end until it closes
            # it; then the scheduler's is let go, which has room for only so
            # many clients.
            try:
                while connection.client.recv(65536):
                    pass
            except OSError:
                pass
            connection.server.close()
            count(-1)
        threading.Thread(target=serve, daemon=True).start()


if __name__ == "__main__":
    main()
