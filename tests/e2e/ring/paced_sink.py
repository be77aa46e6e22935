#!/usr/bin/env python3
"""A sound card for ALSA's file plugin, which writes into the FIFO named here as
fast as it is let: takes raw 16-bit mono samples at 44.1 kHz at the pace a
card plays them and writes them to a WAV file, with silence wherever none
came, as a card plays silence when it runs dry. The FIFO holds one page and
the card half a second, so the writer is held back as by a card's buffer. Runs until interrupted; the WAV header
counts the most samples it can, and readers take what is there.

usage: paced_sink.py FIFO out.wav
"""

import fcntl
import os
import signal
import struct
import sys
import time

RATE = 44100
STEP = 0.01
F_SETPIPE_SZ = 1031
AHEAD = RATE * 2 // 2  # the card's buffer: half a second


def main():
    fifo, path = sys.argv[1:3]
    signal.signal(signal.SIGINT, lambda *_: sys.exit(0))  # a background job ignores it
    os.mkfifo(fifo)
    # Open for writing too, so that the writer closing is no end of input.
    source = os.open(fifo, os.O_RDWR | os.O_NONBLOCK)
    fcntl.fcntl(source, F_SETPIPE_SZ, 4096)
    size = 0x7FFFFFF0
    with open(path, "wb", buffering=0) as out:
        out.write(b"RIFF" + struct.pack("<I", size + 36) + b"WAVEfmt "
                  + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16)
                  + b"data" + struct.pack("<I", size))
        start, written, held = time.monotonic(), 0, bytearray()
        while True:
            due = int((time.monotonic() - start) * RATE) * 2 - written
            try:
                held += os.read(source, max(AHEAD - len(held), 1))
            except BlockingIOError:
                pass
            chunk = held[:due] + bytes(max(due - len(held), 0))
            del held[:due]
            out.write(chunk)
            written += len(chunk)
            time.sleep(STEP)

if __name__ == "__main__":
    sys.exit(main())
