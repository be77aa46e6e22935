#!/usr/bin/env python3
"""A small HTTP/1.0 server on a free loopback port, for the HTTP component's tests.

It prints one line, "READY <port> <unanswered port>", and serves until it is
killed. The request path picks the answer:

  /len/N              N body bytes with a matching Content-Length
  /nolen/N            N body bytes without Content-Length, ended by closing
  /wronglen/A/N       Content-Length A, then N bytes, then closed
  /badlen/TEXT        Content-Length: TEXT (percent-decoded), then "body"
  /hang-headers       reads the request and never answers
  /hang-body/A/N      Content-Length A, N bytes, then silence until the client goes
  /hang-nolen/N       no Content-Length, N bytes, then silence until the client goes
  /reset/A/N          Content-Length A, N bytes, then the connection is reset
  /trickle/MS         a whole answer with body "body", one byte every MS milliseconds
  /notfound           a 404 page with a matching Content-Length
  /zeros              a body with zero bytes in it, with Content-Length
  /empty              Content-Length: 0 and no body
  /empty-nolen        no Content-Length and no body
  /redirect/K/REST    K > 0: 302 to /redirect/K-1/REST; K = 0: answers /REST
  /echo...            the raw request (request line, headers, body) as the body

Body bytes follow the pattern byte i = i % 251, so tests can check any body.
The server ends when its standard input closes, so it never outlives the test
that started it, even one that crashed. The unanswered port listens with a full accept queue: a connection to it is
never made, to exercise the connect time-out.
"""

import argparse
import os
import socket
import socketserver
import struct
import sys
import threading
import time
import urllib.parse

BLOCK = bytes(i % 251 for i in range(251 * 256))  # whole periods: blocks repeat the pattern
ZEROS_BODY = b"A\x00B\x00\x00C\x00"
NOT_FOUND_PAGE = b"<html><body><h1>404 Not Found</h1></body></html>\n"


def read_request(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(65536)
        if not chunk:
            return None
        data += chunk
    head, _, body = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value.strip())
    while len(body) < length:
        chunk = conn.recv(65536)
        if not chunk:
            break
        body += chunk
    return head + b"\r\n\r\n" + body


def send_head(conn, status, length, extra=()):
    lines = ["HTTP/1.0 " + status]
    lines += extra
    if length is not None:
        lines.append("Content-Length: " + str(length))
    conn.sendall(("\r\n".join(lines) + "\r\n\r\n").encode("latin-1"))


def send_pattern(conn, count):
    while count > 0:
        piece = BLOCK[:count]
        conn.sendall(piece)
        count -= len(piece)


def wait_for_close(conn):
    try:
        while conn.recv(65536):
            pass
    except OSError:
        pass


def reset(conn):
    """Closes with a zero linger time, so the client gets a reset instead of an end."""
    conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    conn.close()


def trickle(conn, data, pause):
    for i in range(len(data)):
        conn.sendall(data[i : i + 1])
        time.sleep(pause)


class Shouting:
    """A connection whose first write, the head, has its header names in capitals."""

    def __init__(self, conn):
        self.conn = conn
        self.head_sent = False

    def sendall(self, data):
        if not self.head_sent:
            self.head_sent = True
            lines = data.split(b"\r\n")
            for i in range(1, len(lines)):
                name, colon, value = lines[i].partition(b":")
                lines[i] = name.upper() + colon + value
            data = b"\r\n".join(lines)
        self.conn.sendall(data)

    def __getattr__(self, name):
        return getattr(self.conn, name)


def answer(conn, parts, raw):
    kind = parts[0] if parts else ""
    if kind == "SHOUT":
        answer(Shouting(conn), parts[1:], raw)
    elif kind == "len":
        send_head(conn, "200 OK", int(parts[1]))
        send_pattern(conn, int(parts[1]))
    elif kind == "nolen":
        send_head(conn, "200 OK", None)
        send_pattern(conn, int(parts[1]))
    elif kind == "wronglen":
        send_head(conn, "200 OK", int(parts[1]))
        send_pattern(conn, int(parts[2]))
    elif kind == "badlen":
        send_head(conn, "200 OK", None, ["Content-Length: " + parts[1]])
        conn.sendall(b"body")
    elif kind == "hang-headers":
        wait_for_close(conn)
    elif kind == "hang-body":
        send_head(conn, "200 OK", int(parts[1]))
        send_pattern(conn, int(parts[2]))
        wait_for_close(conn)
    elif kind == "hang-nolen":
        send_head(conn, "200 OK", None)
        send_pattern(conn, int(parts[1]))
        wait_for_close(conn)
    elif kind == "reset":
        send_head(conn, "200 OK", int(parts[1]))
        send_pattern(conn, int(parts[2]))
        reset(conn)
    elif kind == "trickle":
        trickle(conn, b"HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nbody", int(parts[1]) / 1000)
    elif kind == "notfound":
        send_head(conn, "404 Not Found", len(NOT_FOUND_PAGE), ["Content-Type: text/html"])
        conn.sendall(NOT_FOUND_PAGE)
    elif kind == "zeros":
        send_head(conn, "200 OK", len(ZEROS_BODY))
        conn.sendall(ZEROS_BODY)
    elif kind == "empty":
        send_head(conn, "200 OK", 0)
    elif kind == "empty-nolen":
        send_head(conn, "200 OK", None)
    elif kind == "redirect":
        left = int(parts[1])
        if left == 0:
            answer(conn, parts[2:], raw)
            return
        rest = "/".join(parts[2:])
        moved = b"moved\n"
        send_head(conn, "302 Found", len(moved), ["Location: /redirect/%d/%s" % (left - 1, rest)])
        conn.sendall(moved)
    elif kind == "echo":
        send_head(conn, "200 OK", len(raw))
        conn.sendall(raw)
    else:
        send_head(conn, "400 Bad Request", 0)


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        conn = self.request
        try:
            raw = read_request(conn)
            if raw is None:
                return
            target = raw.split(b"\r\n", 1)[0].split(b" ")[1].decode("latin-1")
            path = target.split("?", 1)[0]
            parts = [urllib.parse.unquote(p) for p in path.split("/")[1:]]
            answer(conn, parts, raw)
        except OSError:  # the client went away, or the answer reset the connection
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64


def unanswered_listener():
    """A listener whose accept queue is full, so that further SYNs are dropped."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    fillers = []
    for _ in range(3):
        filler = socket.socket()
        filler.setblocking(False)
        try:
            filler.connect(listener.getsockname())
        except BlockingIOError:
            pass
        fillers.append(filler)
    time.sleep(0.05)
    return listener, fillers


def exit_when_stdin_closes():
    def watch():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)

    threading.Thread(target=watch, daemon=True).start()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0, help="0: any free port")
    args = parser.parse_args()
    server = Server(("127.0.0.1", args.port), Handler)
    hole, _fillers = unanswered_listener()
    exit_when_stdin_closes()
    print("READY %d %d" % (server.server_address[1], hole.getsockname()[1]), flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
