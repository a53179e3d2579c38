#!/usr/bin/env python3
"""A print server that stops answering part-way: listens on a socket and
passes each connection's first N requests to the real scheduler, then
holds the connection open answering nothing, or closes it. N and what
follows are read from a file at each new connection ("3 hold", "5 close";
"0 hold" is a server that takes connections and never answers), so one
proxy serves a whole table of cases.

usage: cups-fault-proxy.py LISTEN_SOCKET SCHEDULER_SOCKET FAULT_FILE"""
import socket
import sys
import threading


def requests_passed(client, server, passes):
    """Forwards whole HTTP requests from client to server until `passes`
    have gone; returns once the next one starts (or the client leaves)."""
    pending = b""
    passed = 0
    while True:
        # One request: headers, then a body by length or in chunks.
        while b"\r\n\r\n" not in pending:
            data = client.recv(65536)
            if not data:
                return False
            if passed >= passes:
                return True
            pending += data
        head, _, pending = pending.partition(b"\r\n\r\n")
        headers = {}
        for line in head.split(b"\r\n")[1:]:
            name, _, value = line.partition(b":")
            headers[name.strip().lower()] = value.strip().lower()
        server.sendall(head + b"\r\n\r\n")
        if headers.get(b"transfer-encoding") == b"chunked":
            while True:
                while b"\r\n" not in pending:
                    data = client.recv(65536)
                    if not data:
                        return False
                    pending += data
                size_line, _, pending = pending.partition(b"\r\n")
                size = int(size_line.split(b";")[0], 16)
                while len(pending) < size + 2:
                    data = client.recv(65536)
                    if not data:
                        return False
                    pending += data
                server.sendall(size_line + b"\r\n" + pending[:size + 2])
                pending = pending[size + 2:]
                if size == 0:
                    break
        else:
            length = int(headers.get(b"content-length", b"0"))
            while len(pending) < length:
                data = client.recv(65536)
                if not data:
                    return False
                pending += data
            server.sendall(pending[:length])
            pending = pending[length:]
        passed += 1
        if passed >= passes and pending:
            return True


def answers(server, client):
    try:
        while data := server.recv(65536):
            client.sendall(data)
    except OSError:
        pass


def serve(client, scheduler, fault_file):
    with open(fault_file) as f:
        passes, then = f.read().split()
    server = socket.socket(socket.AF_UNIX)
    server.connect(scheduler)
    threading.Thread(target=answers, args=(server, client), daemon=True).start()
    try:
        if not requests_passed(client, server, int(passes)):
            return
        if then == "close":
            client.shutdown(socket.SHUT_RDWR)
            client.close()
            server.close()
            return
        while client.recv(65536):  # held: read, never answered
            pass
    except OSError:
        pass


def main():
    listen, scheduler, fault_file = sys.argv[1:]
    proxy = socket.socket(socket.AF_UNIX)
    proxy.bind(listen)
    proxy.listen(64)
    while True:
        client = proxy.accept()[0]
        threading.Thread(target=serve, args=(client, scheduler, fault_file), daemon=True).start()


if __name__ == "__main__":
    main()
