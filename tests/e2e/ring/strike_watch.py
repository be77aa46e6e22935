#!/usr/bin/env python3
"""Prints the wall-clock time (ms since the epoch) at which each ring's first
strike is heard: the first 5 ms block above -20 dBFS after at least half a
second below -40 dBFS (longer than the dip at the loop's seam), blocks in
between not counting either way: the block in which the strike begins is
partly silent. Reads raw
16-bit mono samples at 44.1 kHz either live from stdin (a monitor recorder
with a short latency: each sample's time is its arrival time), or, with
--fifo, as the sound card that ALSA's file plugin writes to (the bench's
ALSA configuration): it takes the samples at a card's pace, so each sample's
time is the moment the card plays it. Says "listening" once samples come.

usage: parec --raw ... | strike_watch.py      strike_watch.py --fifo FIFO
"""

import array
import math
import os
import sys
import time

RATE = 44100
BLOCK = RATE // 200  # 5 ms
QUIET_BLOCKS = 100  # half a second


def level(block):
    samples = array.array("h", block)
    energy = sum(x * x for x in samples) / max(len(samples), 1)
    return 10 * math.log10(energy / 32768.0**2 + 1e-12)


class Watch:
    def __init__(self):
        self.quiet = QUIET_BLOCKS

    def block(self, data, at):
        db = level(data)
        if db > -20:
            if self.quiet >= QUIET_BLOCKS:
                print(f"strike {int(at * 1000)}", flush=True)
            self.quiet = 0
        elif db < -40:
            self.quiet += 1


def live(watch):
    pending, heard = b"", False
    while chunk := os.read(0, 65536):
        if not heard:
            print("listening", flush=True)  # a recorder's first samples come late
            heard = True
        now, pending = time.time(), pending + chunk
        blocks = len(pending) // (2 * BLOCK)
        for i in range(blocks):  # the last block arrived now, the earlier ones before it
            watch.block(pending[i * 2 * BLOCK:(i + 1) * 2 * BLOCK], now - (blocks - 1 - i) / 200)
        pending = pending[blocks * 2 * BLOCK:]


def card(watch, fifo):
    os.mkfifo(fifo)
    source = os.open(fifo, os.O_RDWR | os.O_NONBLOCK)
    held, start, played = bytearray(), time.time(), 0
    print("listening", flush=True)
    while True:
        try:
            held += os.read(source, max(RATE - len(held), 1))
        except BlockingIOError:
            pass
        while played < (time.time() - start) * 200:  # one block each 5 ms
            data = held[:2 * BLOCK] + bytes(max(2 * BLOCK - len(held), 0))
            del held[:2 * BLOCK]
            watch.block(bytes(data), start + played / 200)
            played += 1
        time.sleep(0.005)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--fifo":
        card(Watch(), sys.argv[2])
    else:
        live(Watch())
