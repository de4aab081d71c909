#!/usr/bin/env python3
"""Synthesises the six sound cues of data/Sound.

16-bit PCM, mono, 22050 Hz. Every cue starts and ends in silence under a
smooth fade, so nothing clicks except the key click itself. The noise comes
from a fixed linear congruential generator, so the files are the same on
every run.

Usage: make_sounds.py [output folder]   (default: data/Sound of the repository)
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
MAX_BYTES = 20000
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "data", "Sound"))


class Noise:
    """White noise in -1..1 from a 32-bit LCG (reproducible)."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def length(seconds):
    return int(round(seconds * RATE))


def fade(samples, fade_in, fade_out):
    """Raised-cosine fade in and out (durations in seconds)."""
    n = len(samples)
    a = max(1, length(fade_in))
    b = max(1, length(fade_out))
    out = list(samples)
    for i in range(min(a, n)):
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * i / a)
    for i in range(min(b, n)):
        out[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / b)
    return out


def tone(freq_at, seconds, harmonics=((1, 1.0),), decay=0.0):
    """A tone whose frequency may change over time (freq_at(t) in Hz), with
    the given harmonics (multiple, weight) and an exponential decay rate."""
    n = length(seconds)
    phase = 0.0
    norm = sum(w for _, w in harmonics)
    out = []
    for i in range(n):
        t = i / RATE
        phase += 2 * math.pi * freq_at(t) / RATE
        v = sum(w * math.sin(k * phase) for k, w in harmonics) / norm
        out.append(v * math.exp(-decay * t))
    return out


def mix(*parts):
    """Sum (offset seconds, samples, gain) parts into one buffer."""
    n = max(length(off) + len(s) for off, s, _ in parts)
    out = [0.0] * n
    for off, s, gain in parts:
        start = length(off)
        for i, v in enumerate(s):
            out[start + i] += v * gain
    return out


def keyboard():
    """A short, dry key click: a noise tick plus a high damped ping."""
    noise = Noise(12345)
    n = length(0.040)
    out = []
    prev = 0.0
    for i in range(n):
        t = i / RATE
        x = noise.next()
        hp = x - prev  # crude high-pass keeps the tick crisp
        prev = x
        tick = 0.5 * hp * math.exp(-t * 260.0)
        ping = 0.6 * math.sin(2 * math.pi * 2400 * t) * math.exp(-t * 140.0)
        out.append(tick + ping)
    return fade(out, 0.001, 0.008), 0.45


def send():
    """Send: a quick upward glide, like a bubble popping off."""
    s = tone(lambda t: 520 + 900 * (t / 0.12), 0.12, ((1, 1.0), (2, 0.2)), decay=8.0)
    return fade(s, 0.006, 0.040), 0.50


def layout():
    """Layout switch: two short blips, high then low, like a toggle."""
    a = fade(tone(lambda t: 1175.0, 0.055, ((1, 1.0), (3, 0.1)), decay=25.0), 0.004, 0.020)
    b = fade(tone(lambda t: 880.0, 0.070, ((1, 1.0), (3, 0.1)), decay=20.0), 0.004, 0.030)
    return mix((0.0, a, 1.0), (0.070, b, 1.0)), 0.45


def shake():
    """Shake: a soft whoosh, band-limited noise that swells and fades while
    its colour sweeps up and down."""
    noise = Noise(777)
    n = length(0.350)
    out = []
    lp = 0.0
    lp2 = 0.0
    for i in range(n):
        t = i / RATE
        pos = t / 0.350
        cutoff = 300 + 2200 * math.sin(math.pi * pos)  # Hz, sweeps up and back
        k = 1 - math.exp(-2 * math.pi * cutoff / RATE)
        lp += k * (noise.next() - lp)
        lp2 += k * (lp - lp2)
        swell = math.sin(math.pi * pos) ** 2
        out.append(lp2 * swell * 3.0)
    return fade(out, 0.010, 0.040), 0.55


def cpu():
    """Program answers: a soft two-note chime (E6 then A5), bell-like."""
    bell = ((1, 1.0), (2, 0.25), (3, 0.08))
    a = fade(tone(lambda t: 1318.5, 0.220, bell, decay=14.0), 0.004, 0.060)
    b = fade(tone(lambda t: 880.0, 0.260, bell, decay=11.0), 0.004, 0.090)
    return mix((0.0, a, 0.8), (0.110, b, 1.0)), 0.38


def close():
    """Farewell: a descending glide from G5 to G4 with a gentle vibrato."""
    seconds = 0.380

    def freq(t):
        glide = 784.0 * (0.5 ** (t / seconds))
        return glide * (1 + 0.006 * math.sin(2 * math.pi * 6 * t))

    s = tone(freq, seconds, ((1, 1.0), (2, 0.15)), decay=2.0)
    return fade(s, 0.015, 0.120), 0.45


CUES = [
    ("KeyBoard.wav", keyboard),
    ("Button3.wav", send),
    ("Button2.wav", layout),
    ("Button1.wav", shake),
    ("CpuSound.wav", cpu),
    ("Close.wav", close),
]


def write(path, samples, peak):
    top = max(abs(v) for v in samples) or 1.0
    scale = peak * 32767 / top
    frames = b"".join(struct.pack("<h", int(round(v * scale))) for v in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)
    first = struct.unpack("<h", frames[:2])[0]
    last = struct.unpack("<h", frames[-2:])[0]
    size = os.path.getsize(path)
    if size >= MAX_BYTES:
        raise SystemExit(f"{path}: {size} bytes, more than {MAX_BYTES}")
    if abs(first) > 64 or abs(last) > 64:
        raise SystemExit(f"{path}: does not start and end in silence")
    return size, len(samples) / RATE


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    os.makedirs(out, exist_ok=True)
    for name, make in CUES:
        samples, peak = make()
        size, seconds = write(os.path.join(out, name), samples, peak)
        print(f"{name:14} {seconds * 1000:5.0f} ms {size:6d} bytes")


if __name__ == "__main__":
    main()
