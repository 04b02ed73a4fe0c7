#!/usr/bin/env python3
"""Builds the application icon file from one PNG per size.

Sizes below 256 are stored as 32-bit device-independent bitmaps with their AND mask, as
every icon loader reads them; the 256-pixel size is stored as the PNG itself.

usage: make_ico.py OUT.ico IN.png [IN.png ...]
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from png2raw import png_to_raw  # noqa: E402


def dib_entry(raw):
    width, height = struct.unpack("<II", raw[8:16])
    pixels = raw[16:]
    stride = width * 4
    rows = [pixels[y * stride:(y + 1) * stride] for y in range(height)]
    mask_stride = ((width + 31) // 32) * 4
    mask_rows = []
    for row in rows:
        bits = bytearray(mask_stride)
        for x in range(width):
            if row[x * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(bits))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         stride * height + mask_stride * height, 0, 0, 0, 0)
    body = b"".join(reversed(rows)) + b"".join(reversed(mask_rows))
    return width, height, header + body


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    entries = []
    for name in sys.argv[2:]:
        with open(name, "rb") as f:
            png = f.read()
        raw = png_to_raw(png)
        width, height = struct.unpack("<II", raw[8:16])
        if width >= 256:
            entries.append((width, height, png))
        else:
            entries.append(dib_entry(raw))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, height, data in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in entries:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
