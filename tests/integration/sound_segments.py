#!/usr/bin/env python3
"""Prints the sounds of a recording as "start end" in seconds, one per line: runs of 20 ms windows louder than
the threshold, joined across gaps shorter than the given silence. sox turns the recording (a WAV file, or raw
16 kHz mono 16-bit samples as parec gives them when its name ends in .raw) into 8 kHz mono samples first.
    sound_segments.py RECORDING [MIN_SILENCE_S] [THRESHOLD]"""
import array
import math
import subprocess
import sys

recording = sys.argv[1]
min_silence = float(sys.argv[2]) if len(sys.argv) > 2 else 0.5
threshold = float(sys.argv[3]) if len(sys.argv) > 3 else 0.01
rate = 8000
window = rate // 50
source = ["-t", "raw", "-r", "16000", "-e", "signed", "-b", "16", "-c", "1"] if recording.endswith(".raw") else []
raw = subprocess.run(["sox", "-V1", *source, recording, "-t", "raw", "-r", str(rate), "-c", "1", "-b", "16", "-e", "signed",
                      "-"], check=True, stdout=subprocess.PIPE).stdout
samples = array.array("h")
samples.frombytes(raw[: len(raw) // 2 * 2])
segments = []
for i in range(0, len(samples) - window + 1, window):
    part = samples[i:i + window]
    loud = math.sqrt(sum(s * s for s in part) / window) / 32768 > threshold
    start = i / rate
    if not loud:
        continue
    if segments and start - segments[-1][1] < min_silence:
        segments[-1][1] = start + window / rate
    else:
        segments.append([start, start + window / rate])
for start, end in segments:
    print(f"{start:.2f} {end:.2f}")
