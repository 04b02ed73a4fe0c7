#!/usr/bin/env python3
"""Writes the two sample documents the help's before-and-after pictures start from:

  sample.ico  a 48 x 48 32-bit icon: a blue rounded tile with a yellow sun and a dark ring
  sample.fic  a project of two 48 x 48 images, each an empty raster layer under one filled
              vector shape: image 0 an ellipse, image 1 a rectangle (effects need a shape)

usage: make_samples.py OUTDIR
"""
import math
import os
import struct
import sys

SIZE = 48


def blend(under, over):
    """Source-over of two (r, g, b, a) tuples with 0..255 channels."""
    a = over[3] / 255.0
    b = under[3] / 255.0
    out_a = a + b * (1 - a)
    if out_a == 0:
        return (0, 0, 0, 0)
    mix = [(over[i] * a + under[i] * b * (1 - a)) / out_a for i in range(3)]
    return tuple(int(round(v)) for v in mix) + (int(round(out_a * 255)),)


def coverage(inside, x, y):
    """How much of pixel (x, y) lies inside, from a 4 x 4 grid of samples."""
    hits = sum(inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
    return hits / 16.0


def rounded_tile(px, py):
    left, top, right, bottom, radius = 4, 4, 44, 44, 9
    cx = min(max(px, left + radius), right - radius)
    cy = min(max(py, top + radius), bottom - radius)
    return left <= px <= right and top <= py <= bottom and (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2


def sun(px, py):
    return (px - 24) ** 2 + (py - 22) ** 2 <= 10 ** 2


def ring(px, py):
    d = math.hypot(px - 24, py - 22)
    return 13 <= d <= 15.5


def icon_pixels():
    """Rows top to bottom of (r, g, b, a)."""
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            pixel = (0, 0, 0, 0)
            for inside, color in ((rounded_tile, (40, 90, 200)), (ring, (20, 30, 60)), (sun, (250, 200, 40))):
                c = coverage(inside, x, y)
                if c > 0:
                    pixel = blend(pixel, color + (int(round(255 * c)),))
            # a light band across the tile gives the blurs and embosses an edge to show
            if 30 <= y <= 33 and rounded_tile(x + 0.5, y + 0.5):
                pixel = blend(pixel, (255, 255, 255, 160))
            row.append(pixel)
        rows.append(row)
    return rows


def write_ico(path, rows):
    pixels = b"".join(struct.pack("<4B", b, g, r, a) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = (SIZE + 31) // 32 * 4
    mask = bytes(mask_row * SIZE)  # the alpha channel decides; the AND mask stays clear
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


def pixel_block(rows):
    data = b"".join(struct.pack("<4B", b, g, r, a) for row in rows for (r, g, b, a) in row)
    return struct.pack("<III", SIZE, SIZE, SIZE * 4) + data


def shape_rows(inside, color):
    return [[color + (int(round(255 * coverage(inside, x, y))),) if coverage(inside, x, y) > 0 else (0, 0, 0, 0)
             for x in range(SIZE)] for y in range(SIZE)]


def polygon_of_ellipse(cx, cy, rx, ry, steps=64):
    return [(cx + rx * math.cos(2 * math.pi * i / steps), cy + ry * math.sin(2 * math.pi * i / steps))
            for i in range(steps)]


def vector_layer(shape_kind, points, rows, color):
    """A filled vector layer: a closed figure of straight lines, a solid brush."""
    types = bytes([0] + [1] * (len(points) - 2) + [1 | 0x80])
    r, g, b = color
    brush = struct.pack("<IIIIfiiIffff", 0xFF000000 | r << 16 | g << 8 | b, 0xFFFFFFFF, 0, 1, 0.0, 50, 50, 0,
                        100.0, 100.0, 100.0, 0.0)
    record = struct.pack("<BBI", 2, shape_kind, len(points))
    record += b"".join(struct.pack("<ff", x, y) for x, y in points) + types
    record += brush + struct.pack("<fI", 0.0, 1)
    return record + pixel_block(rows)


def image_record(shape_kind, points, inside, color):
    rows = shape_rows(inside, color)
    empty = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    record = struct.pack("<IhhBHHIB", 3, 0, 0, 32, SIZE, SIZE, 5, 2)
    record += pixel_block(rows)                      # the composite: the shape over nothing
    record += struct.pack("<B", 1) + pixel_block(empty)
    return record + vector_layer(shape_kind, points, rows, color)


def write_fic(path):
    header = b"FIC1" + bytes(520) + struct.pack("<BHI", 4, 2, 5) + bytes(400) + bytes(400)
    ellipse = image_record(1, polygon_of_ellipse(24, 24, 19, 15),
                           lambda x, y: ((x - 24) / 19) ** 2 + ((y - 24) / 15) ** 2 <= 1, (200, 40, 40))
    box = [(6, 12), (42, 12), (42, 36), (6, 36)]
    rectangle = image_record(2, box, lambda x, y: 6 <= x <= 42 and 12 <= y <= 36, (40, 140, 60))
    with open(path, "wb") as f:
        f.write(header + ellipse + rectangle)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "sample.ico"), icon_pixels())
    write_fic(os.path.join(out, "sample.fic"))


if __name__ == "__main__":
    main()
