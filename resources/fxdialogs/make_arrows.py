#!/usr/bin/env python3
"""Draws the bevel dialog's eight 17 x 17 arrow icons (arrow_1.ico .. arrow_8.ico).

Direction d (1 top, then clockwise in steps of 45 degrees) is the side the light comes
from; its arrow starts at that side and points toward the opposite one. Black on
transparent, anti-aliased by supersampling. Python 3 standard library only.

usage: make_arrows.py [OUTPUT_FOLDER]
"""
import math
import os
import struct
import sys

SIZE = 17
SAMPLES = 4
HALF_WIDTH = 0.85


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def arrow_segments(direction):
    angle = math.radians((direction - 1) * 45)
    # Unit vector the arrow points along: from the light's side to the opposite one.
    ux, uy = -math.sin(angle), math.cos(angle)
    c = SIZE / 2.0
    tail = (c - 6 * ux, c - 6 * uy)
    tip = (c + 6 * ux, c + 6 * uy)
    segments = [(tail, tip)]
    for side in (1, -1):
        a = math.radians(150 * side)
        hx = ux * math.cos(a) - uy * math.sin(a)
        hy = ux * math.sin(a) + uy * math.cos(a)
        segments.append((tip, (tip[0] + 4.5 * hx, tip[1] + 4.5 * hy)))
    return segments


def coverage(segments, x, y):
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            px = x + (sx + 0.5) / SAMPLES
            py = y + (sy + 0.5) / SAMPLES
            if any(distance_to_segment(px, py, *a, *b) <= HALF_WIDTH for a, b in segments):
                hits += 1
    return hits / (SAMPLES * SAMPLES)


def icon_bytes(direction):
    segments = arrow_segments(direction)
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = b''
        for x in range(SIZE):
            row += bytes((0, 0, 0, round(255 * coverage(segments, x, y))))
        rows.append(row)
    pixels = b''.join(rows)
    mask = bytes(((SIZE + 31) // 32) * 4 * SIZE)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for direction in range(1, 9):
        with open(os.path.join(folder, 'arrow_%d.ico' % direction), 'wb') as f:
            f.write(icon_bytes(direction))


if __name__ == '__main__':
    main()
