#!/usr/bin/env python3
"""Converts a PNG picture into the program's raw 32-bit picture format.

The raw format is "QORVEN32", width and height as little-endian 32-bit numbers, then the
pixels top row first, four bytes each in the order blue, green, red, alpha (not
premultiplied). Every picture the program draws for itself is kept as a PNG in the
repository and converted by the build with this script.

usage: png2raw.py IN.png OUT.raw
"""
import struct
import sys
import zlib


def read_chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos = 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, channels):
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, corner)) & 255
        rows.append(line)
        previous = line
    return rows


def png_to_raw(data):
    header, idat = None, b""
    for kind, body in read_chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, color, _, _, interlace = header
    if depth != 8 or color not in (2, 6) or interlace:
        raise ValueError("only 8-bit RGB or RGBA PNG files without interlacing are supported")
    channels = 4 if color == 6 else 3
    rows = unfilter(zlib.decompress(idat), width, height, channels)
    out = bytearray(b"QORVEN32" + struct.pack("<II", width, height))
    for row in rows:
        for x in range(width):
            r, g, b = row[x * channels:x * channels + 3]
            a = row[x * channels + 3] if channels == 4 else 255
            out += bytes((b, g, r, a))
    return bytes(out)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as f:
        raw = png_to_raw(f.read())
    with open(sys.argv[2], "wb") as f:
        f.write(raw)


if __name__ == "__main__":
    main()
