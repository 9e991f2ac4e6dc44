"""Analyses the WAV that `varactor --sonify` writes: finds the two curves' sounds between the
silence, measures their pitch over time by counting zero crossings, and compares it with the pitch
the curves from `--export-csv` should give (220 Hz at the bottom of the y axis, 880 Hz at the top,
time running evenly over the x axis). Prints the reason and exits non-zero on a mismatch."""
import csv
import math
import sys
import wave

LOW_HZ, HIGH_HZ, SECONDS = 220.0, 880.0, 2.0


def fail(message):
    print("sonify_pitch.py: " + message, file=sys.stderr)
    sys.exit(1)


def samples_of(path):
    with wave.open(path) as w:
        if (w.getnchannels(), w.getsampwidth()) != (1, 2):
            fail("expected 16-bit mono, got %d channels of %d bytes" % (w.getnchannels(), w.getsampwidth()))
        rate = w.getframerate()
        raw = w.readframes(w.getnframes())
    return rate, [int.from_bytes(raw[i:i + 2], "little", signed=True) for i in range(0, len(raw), 2)]


def sounds(samples, rate):
    """The stretches between runs of at least 0.3 s of silence."""
    parts, start, quiet = [], None, 0
    for i, s in enumerate(samples + [0] * int(0.3 * rate)):
        if s == 0:
            quiet += 1
            if start is not None and quiet >= 0.3 * rate:
                parts.append(samples[start:i - quiet + 1])
                start = None
        else:
            if start is None:
                start = i
            quiet = 0
    return parts


def pitch_track(sound, rate, window=0.1):
    """(time fraction, Hz) over the tone, leaving out the clicks at both ends."""
    click = int(0.005 * rate) + 2
    tone = sound[click:len(sound) - click]
    size = int(window * rate)
    track = []
    for start in range(size, len(tone) - 2 * size, size):
        part = tone[start:start + size]
        crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
        track.append(((start + size / 2) / len(tone), crossings / (2 * window)))
    return tone, track


def expected_hz(points, fraction, log_y, low, high):
    x0, x1 = points[0][0], points[-1][0]
    x = x0 + fraction * (x1 - x0)
    for (xa, ya), (xb, yb) in zip(points, points[1:]):
        if xa <= x <= xb:
            y = ya + (yb - ya) * (x - xa) / (xb - xa)
            break
    else:
        y = points[-1][1]
    h = (math.log10(y) - math.log10(low)) / (math.log10(high) - math.log10(low)) if log_y else (y - low) / (high - low)
    return LOW_HZ * (HIGH_HZ / LOW_HZ) ** min(max(h, 0.0), 1.0)


def main(wav_path, csv_path, trend_wanted):
    rate, samples = samples_of(wav_path)
    parts = sounds(samples, rate)
    if len(parts) != 2:
        fail("expected the sounds of two curves, found %d" % len(parts))
    with open(csv_path) as f:
        rows = list(csv.reader(f))[1:]
    capacitance = [(float(r[0]), float(r[1])) for r in rows if r[0]]
    profile = [(float(r[2]), float(r[3])) for r in rows if r[2]]
    checks = [("profile", parts[0], profile, False, 0.0, 10.0), ("capacitance", parts[1], capacitance, True, 1.0, 100.0)]
    for name, sound, points, log_y, low, high in checks:
        tone, track = pitch_track(sound, rate)
        length = len(tone) / rate
        if abs(length - SECONDS) > 0.05:
            fail("the %s tone lasts %.3f s" % (name, length))
        for fraction, hz in track:
            want = expected_hz(points, fraction, log_y, low, high)
            if abs(hz - want) > 0.05 * want + 20:
                fail("the %s tone has %.0f Hz at %.0f%% of its length, the curve asks for %.0f Hz" % (
                    name, hz, 100 * fraction, want))
        first, last = track[0][1], track[-1][1]
        wanted = trend_wanted.get(name)
        if wanted == "falls" and not (last < 0.9 * first and all(b[1] <= a[1] + 12 for a, b in zip(track, track[1:]))):
            fail("the %s tone does not fall: %s" % (name, [round(hz) for _, hz in track]))
        if wanted == "rises" and not (last > 1.1 * first and all(b[1] >= a[1] - 12 for a, b in zip(track, track[1:]))):
            fail("the %s tone does not rise: %s" % (name, [round(hz) for _, hz in track]))
        if wanted == "level" and max(hz for _, hz in track) - min(hz for _, hz in track) > 12:
            fail("the %s tone is not level: %s" % (name, [round(hz) for _, hz in track]))
        print("%s: %.0f Hz to %.0f Hz" % (name, first, last))


if __name__ == "__main__":
    trends = dict(item.split("=") for item in sys.argv[3:])
    main(sys.argv[1], sys.argv[2], trends)
