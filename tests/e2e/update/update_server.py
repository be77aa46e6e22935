#!/usr/bin/env python3
"""Serves the maker's update file for the update check's tests.

  update_server.py [--port P] [--version TEXT] [--answer full|hang|broken]
                   [--until-stdin-closes]

GET /software/download/update.ini answers an INI file whose section "Klemvar"
holds VersionZahl=TEXT:

  full     the whole file with a matching Content-Length
  hang     the Content-Length and the first bytes, then silence until the
           client goes (then it prints "CLOSED"): a slow answer still arriving
  broken   the Content-Length and the first bytes, then the connection ends:
           a transfer broken off

Every other path gets a 404 page. The server is the one of
tests/support/http_server.py. Prints "READY <port>", then for every request its head, one
line each prefixed with "> ", and a line "END". With --until-stdin-closes it
ends when its standard input closes, so it never outlives the test process that
started it; otherwise it serves until it is killed.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import http_server  # noqa: E402

UPDATE_PATH = "/software/download/update.ini"
HEAD_BYTES = 10  # what a hanging or broken answer sends of the file


def update_file(version):
    text = "[Klemvar]\r\nVersionZahl=%s\r\nVersionString=%s\r\n" % (version, version)
    return text.encode("latin-1")


def make_handler(body, mode):
    class Handler(http_server.Handler):
        def handle(self):
            conn = self.request
            try:
                raw = http_server.read_request(conn)
                if raw is None:
                    return
                head = raw.split(b"\r\n\r\n", 1)[0].decode("latin-1")
                print("".join("> %s\n" % line for line in head.split("\r\n")) + "END", flush=True)
                if head.split(" ")[1] != UPDATE_PATH:
                    http_server.answer(conn, ["notfound"], raw)
                    return
                http_server.send_head(conn, "200 OK", len(body))
                if mode == "full":
                    conn.sendall(body)
                    return
                conn.sendall(body[:HEAD_BYTES])
                if mode == "hang":
                    http_server.wait_for_close(conn)
                    print("CLOSED", flush=True)
            except OSError:  # the client went away
                pass

    return Handler


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0, help="0: any free port")
    parser.add_argument("--version", default="1.2")
    parser.add_argument("--answer", choices=["full", "hang", "broken"], default="full")
    parser.add_argument("--until-stdin-closes", action="store_true")
    args = parser.parse_args()
    handler = make_handler(update_file(args.version), args.answer)
    server = http_server.Server(("127.0.0.1", args.port), handler)
    if args.until_stdin_closes:
        http_server.exit_when_stdin_closes()
    print("READY %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
