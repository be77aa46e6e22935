#!/usr/bin/python3
"""Starts a program under sway and measures the time from exec to the mapping
of its first window, as sway reports it on its IPC socket (the "new" window
event, sent when the client's first buffer makes the window visible).

  wayland_map_time.py PROGRAM [ARGS...]

Needs SWAYSOCK. Prints "PID MILLISECONDS" and leaves the program running
(stop it by its PID). Exits 1 when no window maps within 20 s.
"""
import json
import os
import socket
import struct
import subprocess
import sys
import time

MAGIC = b"i3-ipc"
SUBSCRIBE = 2
HEADER = struct.Struct("=6sII")


def send(sock, kind, payload):
    data = payload.encode()
    sock.sendall(HEADER.pack(MAGIC, len(data), kind) + data)


def receive(sock):
    header = b""
    while len(header) < HEADER.size:
        chunk = sock.recv(HEADER.size - len(header))
        if not chunk:
            raise EOFError
        header += chunk
    _, length, kind = HEADER.unpack(header)
    body = b""
    while len(body) < length:
        chunk = sock.recv(length - len(body))
        if not chunk:
            raise EOFError
        body += chunk
    return kind, json.loads(body)


def main():
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    sock.connect(os.environ["SWAYSOCK"])
    send(sock, SUBSCRIBE, '["window"]')
    _, reply = receive(sock)
    if not reply.get("success"):
        sys.exit("could not subscribe to sway's window events")
    start = time.monotonic()
    program = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sock.settimeout(20)
    try:
        while True:
            _, event = receive(sock)
            if event.get("change") == "new" and event.get("container", {}).get("pid") == program.pid:
                elapsed = (time.monotonic() - start) * 1000
                break
    except (socket.timeout, EOFError):
        program.kill()
        sys.exit("no window of %s mapped" % sys.argv[1])
    print("%d %d" % (program.pid, round(elapsed)))


if __name__ == "__main__":
    main()
