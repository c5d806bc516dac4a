#!/usr/bin/env python3
"""Writes the notification chime: a short bell-like tone, 16-bit stereo PCM at 44100 Hz.

Two sine partials a fifth apart with a faint octave, a soft attack and an exponential decay,
faded to silence at the end so that the clip never clicks.  Usage: make_chime.py OUT.wav
"""
import math
import struct
import sys
import wave

RATE = 44100
SECONDS = 0.47
FRAMES = round(RATE * SECONDS)
ATTACK = 0.008          # seconds of rise, so the start does not click
DECAY = 0.11            # time constant of the exponential decay, seconds
END_FADE = 0.03         # seconds of linear fade to silence at the very end
PEAK = 0.55             # of full scale
# (frequency in Hz, relative amplitude, extra decay factor)
PARTIALS = [(880.0, 1.0, 1.0), (1318.5, 0.55, 1.4), (1760.0, 0.18, 2.2)]


def sample(t):
    envelope = min(1.0, t / ATTACK) * math.exp(-t / DECAY)
    total = sum(PARTIALS[i][1] for i in range(len(PARTIALS)))
    value = 0.0
    for frequency, amplitude, faster in PARTIALS:
        value += amplitude * math.exp(-t * (faster - 1.0) / DECAY) * math.sin(
            2.0 * math.pi * frequency * t)
    return PEAK * envelope * value / total


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_chime.py OUT.wav")
    frames = bytearray()
    fade_frames = round(END_FADE * RATE)
    for n in range(FRAMES):
        t = n / RATE
        # Both channels reach exactly 0 on the last frame.
        fade = min(1.0, (FRAMES - 1 - n) / fade_frames)
        left = fade * sample(t)
        # The right channel a touch later, for a little width.
        right = fade * sample(max(0.0, t - 0.0004))
        frames += struct.pack("<hh", round(left * 32767), round(right * 32767))
    with wave.open(sys.argv[1], "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    main()
