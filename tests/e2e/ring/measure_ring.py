#!/usr/bin/env python3
"""Measures a recording of the ring taken from the sound card's monitor.

Finds where each round of the looped bell begins (the strike after the short
dip at the end of the recording), the period from one loop seam to the next,
and with sox the steady level of each whole round and the level of the
recording's tail. Prints the figures and fails when they are off.

The bell's own dips decay; digital silence in the middle of the ring is a
dropout: the stream was not fed in time, or the server skipped a cycle. A
dropout fails unless --server-dropouts says the server made it; either way
it is not taken for a loop seam.

usage: measure_ring.py ring.wav [--rms DB] [--peak DB] [--period S] [--silent-tail S]
                       [--server-dropouts]
       measure_ring.py ring.wav --wait-seams N | --wait-grown S   (a recording still running)
"""

import argparse
import array
import math
import re
import subprocess
import sys
import time
import wave

BLOCK_SECONDS = 0.005
DIP_DB = -30.0  # the end of each round decays below this
STRIKE_DB = -20.0  # and the next round starts above this
STRIKE_AMPLITUDE = 0.1  # a round begins at its first sample this loud
RECORDING_RATE = 44100  # what the tests record at
DROPOUT_SECONDS = 0.001  # this much digital silence never occurs inside the bell


def read_mono(path):
    with wave.open(path) as recording:
        if recording.getsampwidth() != 2 or recording.getnchannels() != 1:
            sys.exit(f"{path}: expected 16-bit mono")
        samples = array.array("h")
        samples.frombytes(recording.readframes(recording.getnframes()))
        return samples, recording.getframerate()


def read_growing(path):
    """What a running recorder has written so far: all after the data chunk's
    header, which still counts no samples."""
    with open(path, "rb") as recording:
        image = recording.read()
    body = image[image.find(b"data", 12) + 8:]
    return array.array("h", body[:len(body) - len(body) % 2])


def wait_for(done, path, timeout=90):
    """Polls the running recording until done(samples); only a fault times out."""
    deadline = time.monotonic() + timeout
    while not done(read_growing(path)):
        if time.monotonic() > deadline:
            sys.exit("FAIL: the recording never got there")
        time.sleep(0.25)
    return 0


def block_levels(samples, block):
    levels = []
    for start in range(0, len(samples) - block + 1, block):
        energy = sum(x * x for x in samples[start:start + block]) / block
        levels.append(10 * math.log10(energy / 32768.0**2 + 1e-12))
    return levels


def dropouts(samples, rate):
    """(first sample, length) of each stretch of digital silence between the
    first and the last sound of the bell."""
    threshold = STRIKE_AMPLITUDE * 32768
    first = next((i for i, x in enumerate(samples) if abs(x) >= threshold), len(samples))
    last = next((i for i in range(len(samples) - 1, -1, -1) if abs(samples[i]) >= threshold), 0)
    found, run = [], 0
    for index in range(first, last):
        if samples[index] == 0:
            run += 1
            continue
        if run >= rate * DROPOUT_SECONDS:
            found.append((index - run, run))
        run = 0
    return found


def round_starts(samples, rate):
    """Sample indices where a round begins after a dip, and whether each one is
    a loop seam (the bell sounded before the dip) rather than the first start."""
    block = int(rate * BLOCK_SECONDS)
    levels = block_levels(samples, block)
    silent = {index for start, length in dropouts(samples, rate)
              for index in range(start // block, (start + length) // block + 1)}
    starts, in_dip, heard = [], True, False
    for index, level in enumerate(levels):
        if index in silent:
            continue
        if level < DIP_DB:
            in_dip = True
        elif in_dip and level > STRIKE_DB:
            in_dip = False
            first = (index - 1) * block
            threshold = STRIKE_AMPLITUDE * 32768
            while abs(samples[first]) < threshold:
                first += 1
            starts.append((first, heard))
            heard = True
    return starts


def sox_levels(path, start, length):
    """RMS and peak level in dBFS of one stretch, as sox's stats effect gives them."""
    result = subprocess.run(
        ["sox", path, "-n", "trim", f"{start:.4f}", f"{length:.4f}", "stats"],
        capture_output=True, text=True, check=True)
    def field(name):
        match = re.search(rf"^{name}\s+(-?[\d.]+|-inf)", result.stderr, re.M)
        return float(match.group(1)) if match else float("nan")
    return field("RMS lev dB"), field("Pk lev dB")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("recording")
    parser.add_argument("--rms", type=float, default=-8.7)
    parser.add_argument("--peak", type=float, default=-1.5)
    parser.add_argument("--period", type=float, default=24047 / 11025)
    parser.add_argument("--rms-tolerance", type=float, default=1.0)
    parser.add_argument("--peak-tolerance", type=float, default=1.0)
    parser.add_argument("--period-tolerance", type=float, default=0.02)
    parser.add_argument("--silent-tail", type=float, default=0.0,
                        help="seconds at the end that must be digital silence")
    parser.add_argument("--server-dropouts", action="store_true",
                        help="dropouts are the sound server's: report them, do not fail")
    parser.add_argument("--wait-seams", type=int, help="wait until this many loop seams")
    parser.add_argument("--wait-grown", type=float, help="wait until this many seconds more")
    args = parser.parse_args()
    if args.wait_seams:
        return wait_for(lambda s: sum(seam for _, seam in round_starts(s, RECORDING_RATE))
                        >= args.wait_seams, args.recording)
    if args.wait_grown:
        target = len(read_growing(args.recording)) + int(args.wait_grown * RECORDING_RATE)
        return wait_for(lambda s: len(s) >= target, args.recording)

    samples, rate = read_mono(args.recording)
    found = round_starts(samples, rate)
    starts = [start for start, _ in found]
    seams = [start for start, seam in found if seam]
    failures = []
    print(f"{len(samples) / rate:.3f} s recorded")
    print(f"rounds begin at {', '.join(f'{s / rate:.4f}' for s in starts)} s")
    if len(seams) < 3:
        sys.exit("FAIL: fewer than three loop seams, so fewer than two whole periods")

    for start, length in dropouts(samples, rate):
        print(f"dropout of {length / rate * 1000:.1f} ms at {start / rate:.4f} s")
        if not args.server_dropouts:
            failures.append(f"the bell drops out at {start / rate:.4f} s")

    # Only seam to seam: the very first start also holds the audio stream's start-up.
    periods = [(b - a) / rate for a, b in zip(seams, seams[1:])]
    for period in periods:
        print(f"period {period:.4f} s")
        if abs(period - args.period) > args.period_tolerance:
            failures.append(f"period {period:.4f} s, expected {args.period:.4f} s")

    # The steady part of each whole round: past the first strike, before the decay.
    for start in starts[:-1]:
        rms, peak = sox_levels(args.recording, start / rate + 0.1, 1.8)
        print(f"round at {start / rate:.4f} s: RMS {rms:.2f} dBFS, peak {peak:.2f} dBFS")
        if abs(rms - args.rms) > args.rms_tolerance:
            failures.append(f"RMS {rms:.2f} dBFS, expected {args.rms} dBFS")
        if abs(peak - args.peak) > args.peak_tolerance:
            failures.append(f"peak {peak:.2f} dBFS, expected {args.peak} dBFS")

    if args.silent_tail > 0:
        tail = len(samples) / rate - args.silent_tail
        _, peak = sox_levels(args.recording, tail, args.silent_tail)
        print(f"last {args.silent_tail:.1f} s: peak {peak} dBFS")
        if peak != float("-inf"):
            failures.append(f"the last {args.silent_tail} s are not silent (peak {peak} dBFS)")

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
