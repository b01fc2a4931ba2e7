#!/usr/bin/env python3
"""Synthesizes the three sounds shipped with Chronolien into data/sons:

  connect.wav    three notes going up: the line is up
  deconnect.wav  the same notes coming down: the line is down
  mail.wav       a two-note chime: mail is waiting

16-bit mono PCM at 22050 Hz, each well under a second. Standard library only.
Usage: scripts/make-sounds.py [output folder, default data/sons]
"""

import math
import os
import struct
import sys
import wave

RATE = 22050


def note(frequency, duration, volume=0.5, attack=0.008, decay=4.0, partials=((1, 1.0), (2, 0.25), (3, 0.08))):
    """A soft bell-like note: a few harmonics, a quick attack and an exponential fade."""
    count = int(duration * RATE)
    samples = []
    norm = sum(weight for _, weight in partials)
    for n in range(count):
        t = n / RATE
        envelope = min(1.0, t / attack) * math.exp(-decay * t)
        # The last few milliseconds fade to silence so that no note ends on a click.
        tail = min(1.0, (count - n) / (0.006 * RATE))
        value = sum(weight * math.sin(2 * math.pi * frequency * k * t) for k, weight in partials) / norm
        samples.append(volume * envelope * tail * value)
    return samples


def mix(length, *placed):
    """Adds notes at their start times (seconds) into one track of the given length."""
    track = [0.0] * int(length * RATE)
    for start, samples in placed:
        offset = int(start * RATE)
        for i, value in enumerate(samples):
            if offset + i < len(track):
                track[offset + i] += value
    return track


def write(path, track):
    peak = max(1e-9, max(abs(v) for v in track))
    scale = min(1.0, 0.85 / peak)
    frames = b"".join(struct.pack("<h", int(round(v * scale * 32767))) for v in track)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


# Equal-tempered pitches of the notes used.
C5, E5, G5, C6, E6 = 523.25, 659.26, 783.99, 1046.50, 1318.51


def connect():
    return mix(0.62, (0.00, note(C5, 0.30, decay=7)), (0.11, note(E5, 0.30, decay=7)),
               (0.22, note(G5, 0.40, decay=6)))


def deconnect():
    return mix(0.62, (0.00, note(G5, 0.30, decay=7)), (0.11, note(E5, 0.30, decay=7)),
               (0.22, note(C5, 0.40, decay=6)))


def mail():
    bell = ((1, 1.0), (2.0, 0.35), (3.01, 0.12), (4.2, 0.05))
    return mix(0.95, (0.00, note(E6, 0.55, volume=0.45, decay=5, partials=bell)),
               (0.20, note(C6, 0.75, volume=0.5, decay=4, partials=bell)))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "sons")
    os.makedirs(out, exist_ok=True)
    for name, track in (("connect.wav", connect()), ("deconnect.wav", deconnect()), ("mail.wav", mail())):
        write(os.path.join(out, name), track)
        print(f"make-sounds: {os.path.join(out, name)}")


if __name__ == "__main__":
    main()
