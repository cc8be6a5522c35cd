#!/usr/bin/env python3
"""Measures a captured 16-bit stereo WAV as a player would hear it.

Usage: levels.py FILE.wav NAME [--channels]
Prints peak and RMS in dBFS over both channels, how many samples sit at full scale,
the RMS in dBFS of everything above 12 kHz (sox's sinc filter), and the largest step
between two neighbouring samples as a share of full scale (a click). With --channels,
or for a NAME starting with "crash", also left minus right in dB where the capture is
most one-sided among its loud stretches.
"""
import array
import math
import subprocess
import sys
import wave


def db(x):
    return 20 * math.log10(max(x, 1e-9))


def high_band_db(path):
    stats = subprocess.run(["sox", path, "-n", "sinc", "12k", "stats"], capture_output=True, text=True).stderr
    for line in stats.splitlines():
        if line.startswith("RMS lev dB"):
            return float(line.split()[3])
    return float("nan")


def largest_jump(channel):
    return max((abs(channel[i] - channel[i - 1]) for i in range(1, len(channel))), default=0)


def channel_difference(left, right, rate):
    """Left minus right in dB of the most one-sided 20 ms window among the loud ones
    (within 20 dB of the loudest): centred interface sounds around a panned crash
    do not water it down."""
    n = rate // 50
    windows = [(sum(s * s for s in left[i:i + n]), sum(s * s for s in right[i:i + n]))
               for i in range(0, len(left) - n, n)]
    top = max(l + r for l, r in windows)
    sides = [10 * math.log10(max(l, 1) / max(r, 1)) for l, r in windows if l + r >= top / 100]
    return max(sides, key=abs)


def main():
    path, name = sys.argv[1], sys.argv[2]
    w = wave.open(path)
    if w.getsampwidth() != 2 or w.getnchannels() != 2:
        sys.exit(f"{path}: not 16-bit stereo")
    data = array.array("h", w.readframes(w.getnframes()))
    left, right = data[0::2], data[1::2]
    peak = max(max(data), -min(data)) / 32768
    full = sum(1 for s in data if s >= 32767 or s <= -32768)
    rms = math.sqrt(sum(s * s for s in data) / max(len(data), 1)) / 32768
    jump = max(largest_jump(left), largest_jump(right)) / 32768
    line = (f"{name:<16} peak {db(peak):6.1f}  rms {db(rms):6.1f}  full-scale samples {full:5d}  "
            f"above 12 kHz {high_band_db(path):6.1f}  jump {jump:5.3f}")
    if "--channels" in sys.argv or name.startswith("crash"):
        line += f"  left-right {channel_difference(left, right, w.getframerate()):5.1f} dB"
    print(line)


main()
