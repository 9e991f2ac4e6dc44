#!/usr/bin/env python3
"""Renders a hand-drawn icon from its text pixel map into a PNG, without any imaging library.

Usage: pixelmap_to_png.py MAP.txt OUT.png

The map holds one line of characters per pixel row; lines beginning with '#' are comments. The
characters are the icon's few colours:
  .  transparent          K  outline (#0f3352)      k  outline at half opacity
  -  face, shaded from #2f7fb8 at the top to #174a75 at the bottom
  W  white                w  half white over the face
  O  orange (#ffb22e)     o  half orange over the face
"""
import struct
import sys
import zlib

OUTLINE = (0x0F, 0x33, 0x52)
FACE_TOP = (0x2F, 0x7F, 0xB8)
FACE_BOTTOM = (0x17, 0x4A, 0x75)
WHITE = (0xFF, 0xFF, 0xFF)
ORANGE = (0xFF, 0xB2, 0x2E)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def pixel(char, row, size):
    face = mix(FACE_TOP, FACE_BOTTOM, row / (size - 1))
    colours = {
        ".": (0, 0, 0, 0),
        "K": OUTLINE + (255,),
        "k": OUTLINE + (128,),
        "-": face + (255,),
        "W": WHITE + (255,),
        "w": mix(face, WHITE, 0.5) + (255,),
        "O": ORANGE + (255,),
        "o": mix(face, ORANGE, 0.5) + (255,),
    }
    if char not in colours:
        raise SystemExit(f"row {row + 1}: unknown pixel '{char}'")
    return colours[char]


def read_map(path):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii") if not line.startswith("#")]
    rows = [row for row in rows if row]
    size = len(rows)
    for number, row in enumerate(rows, 1):
        if len(row) != size:
            raise SystemExit(f"{path}: row {number} has {len(row)} pixels, not {size}")
    return rows


def write_png(path, rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for char in row for v in pixel(char, y, size)) for y, row in enumerate(rows))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    write_png(sys.argv[2], read_map(sys.argv[1]))
