#!/usr/bin/env python3
"""Measures how soon the bell came back in a recording of the sink's monitor.

The recording started after the sound server did and ended --end seconds after
the server's start, so each of its samples has a known time since that start.
Finds the bell's first strike, measures the whole round that follows it with
sox, and checks the tail for digital silence. Prints the figures and fails when
the bell came later than --within seconds, at another level, or did not stop.

usage: measure_return.py ring.wav --end S [--within S] [--silent-tail S]
"""

import argparse
import sys

from measure_ring import BLOCK_SECONDS, STRIKE_DB, block_levels, read_mono, sox_levels


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("recording")
    parser.add_argument("--end", type=float, required=True,
                        help="seconds from the server's start to the end of the recording")
    parser.add_argument("--within", type=float, default=3.0)
    parser.add_argument("--rms", type=float, default=-8.7)
    parser.add_argument("--peak", type=float, default=-1.5)
    parser.add_argument("--tolerance", type=float, default=1.0)
    parser.add_argument("--silent-tail", type=float, default=1.0)
    args = parser.parse_args()

    samples, rate = read_mono(args.recording)
    length = len(samples) / rate
    levels = block_levels(samples, int(rate * BLOCK_SECONDS))
    strike = next((i for i, level in enumerate(levels) if level > STRIKE_DB), None)
    print(f"{length:.3f} s recorded, ending {args.end:.3f} s after the server started")
    if strike is None:
        sys.exit("FAIL: the bell never sounded")
    onset = strike * BLOCK_SECONDS
    # A sample's time since the server's start; the recording's end is taken at
    # the moment it was stopped, so this errs on the late side.
    since_start = args.end - (length - onset)
    print(f"the bell sounds {onset:.3f} s into the recording, {since_start:.3f} s after the server started")

    failures = []
    if since_start > args.within:
        failures.append(f"the bell came back after {since_start:.3f} s, not within {args.within} s")
    rms, peak = sox_levels(args.recording, onset + 0.1, 1.8)
    print(f"its first round: RMS {rms:.2f} dBFS, peak {peak:.2f} dBFS")
    if abs(rms - args.rms) > args.tolerance or abs(peak - args.peak) > args.tolerance:
        failures.append(f"first round at RMS {rms:.2f} / peak {peak:.2f} dBFS, expected "
                        f"{args.rms} / {args.peak} dBFS")
    _, tail_peak = sox_levels(args.recording, length - args.silent_tail, args.silent_tail)
    print(f"last {args.silent_tail:.1f} s: peak {tail_peak} dBFS")
    if tail_peak != float("-inf"):
        failures.append(f"the last {args.silent_tail} s are not silent (peak {tail_peak} dBFS)")

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
