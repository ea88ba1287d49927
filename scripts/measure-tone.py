#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Prints the dominant frequency (Hz) and the peak and RMS levels (0..1 of full scale) of a
recorded WAV file, as JSON. Used by the sound tests."""
import json
import sys
import wave

import numpy as np


def main(path):
    with wave.open(path, "rb") as w:
        rate = w.getframerate()
        channels = w.getnchannels()
        width = w.getsampwidth()
        raw = w.readframes(w.getnframes())
    if width == 2:
        data = np.frombuffer(raw, dtype="<i2").astype(np.float64) / 32768.0
    elif width == 1:
        data = (np.frombuffer(raw, dtype=np.uint8).astype(np.float64) - 128.0) / 128.0
    else:
        raise SystemExit("unsupported sample width")
    if channels > 1:
        data = data.reshape(-1, channels).mean(axis=1)
    peak = float(np.max(np.abs(data))) if data.size else 0.0
    rms = float(np.sqrt(np.mean(data ** 2))) if data.size else 0.0
    freq = 0.0
    if data.size and peak > 0:
        # A long window and parabolic interpolation around the strongest bin: well under 1 Hz.
        windowed = (data - data.mean()) * np.hanning(data.size)
        spectrum = np.abs(np.fft.rfft(windowed, n=max(data.size, 8 * rate)))
        k = int(np.argmax(spectrum[1:])) + 1
        if 0 < k < spectrum.size - 1:
            a, b, c = np.log(spectrum[k - 1:k + 2] + 1e-12)
            k = k + 0.5 * (a - c) / (a - 2 * b + c)
        freq = float(k * rate / max(data.size, 8 * rate))
    print(json.dumps({"frequency": freq, "peak": peak, "rms": rms, "rate": rate}))


if __name__ == "__main__":
    main(sys.argv[1])
