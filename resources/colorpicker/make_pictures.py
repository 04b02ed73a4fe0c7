#!/usr/bin/env python3
"""Draws the color picker panel's own pictures and writes them beside this script.

- palette_strip.bmp: the 180 x 20 palette strip (hues left to right, light above, dark
  below, and a gray ramp at the right end);
- preview_back.bmp: the 52 x 52 checkerboard behind the gradient preview, so that a
  transparent color shows as such;
- swap.png: the 10 x 10 swap button (two arrows), converted to a raw picture by the build;
- palette_pick.cur, preview_point.cur: the cursors over the strip (a dropper) and over the
  preview square (a crosshair with a ring).

Run it again after changing a picture here. Python 3 standard library only.

usage: make_pictures.py [OUTPUT_FOLDER]
"""
import colorsys
import math
import os
import struct
import sys
import zlib

SAMPLES = 4  # supersampling per axis

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)


def segment(x0, y0, x1, y1, width):
    half = width / 2.0

    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half * half
    return inside


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def ring(cx, cy, radius, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - radius) <= width / 2.0


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def paint(self, shape, color):
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(shape(x + (i + 0.5) / SAMPLES, y + (j + 0.5) / SAMPLES)
                           for i in range(SAMPLES) for j in range(SAMPLES))
                if hits:
                    self.blend(x, y, color, hits / (SAMPLES * SAMPLES))

    def blend(self, x, y, color, coverage):
        r, g, b, a = self.pixels[y][x]
        alpha = color[3] / 255.0 * coverage
        out = alpha + a / 255.0 * (1 - alpha)
        if out == 0:
            return

        def mix(s, d):
            return round((s * alpha + d * a / 255.0 * (1 - alpha)) / out)
        self.pixels[y][x] = (mix(color[0], r), mix(color[1], g), mix(color[2], b), round(out * 255))


# ---------------------------------------------------------------- file formats

def png_bytes(canvas):
    def chunk(kind, body):
        data = kind + body
        return struct.pack(">I", len(body)) + data + struct.pack(">I", zlib.crc32(data) & 0xFFFFFFFF)
    rows = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in canvas.pixels)
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def bmp_bytes(canvas):
    """A 24-bit bottom-up bitmap file."""
    stride = (canvas.width * 3 + 3) & ~3
    rows = b""
    for row in reversed(canvas.pixels):
        line = bytes(v for (r, g, b, _) in row for v in (b, g, r))
        rows += line + b"\x00" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(rows),
                       2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return head + info + rows


def cur_bytes(canvas, hot_x, hot_y):
    """A one-image cursor file: 32-bit pixels with alpha plus the AND mask."""
    size = canvas.width
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(canvas.pixels) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(canvas.pixels):
        bits = 0
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


# ---------------------------------------------------------------- pictures

def palette_strip():
    """Hues across 170 columns, from white at the top through the full hue to black at the
    bottom; the last 10 columns are grays from white to black."""
    canvas = Canvas(180, 20)
    for y in range(20):
        for x in range(180):
            if x < 170:
                r, g, b = colorsys.hsv_to_rgb(x / 170.0, 1.0, 1.0)
                t = y / 19.0
                if t < 0.5:  # lighten towards white
                    k = 1 - t * 2
                    r, g, b = (c + (1 - c) * k * 0.85 for c in (r, g, b))
                else:        # darken towards black
                    k = (t - 0.5) * 2
                    r, g, b = (c * (1 - k * 0.85) for c in (r, g, b))
            else:
                r = g = b = 1 - y / 19.0
            canvas.pixels[y][x] = (round(r * 255), round(g * 255), round(b * 255), 255)
    return canvas


def preview_back():
    canvas = Canvas(52, 52)
    for y in range(52):
        for x in range(52):
            light = (x // 4 + y // 4) % 2 == 0
            canvas.pixels[y][x] = (255, 255, 255, 255) if light else (204, 204, 204, 255)
    return canvas


def swap_button():
    canvas = Canvas(10, 10)
    arrow = union(segment(2.5, 2.5, 7.5, 7.5, 1.3),
                  triangle((0.5, 0.5), (5.0, 1.0), (1.0, 5.0)),
                  triangle((9.5, 9.5), (5.0, 9.0), (9.0, 5.0)))
    canvas.paint(arrow, (30, 30, 30, 255))
    return canvas


def halo(canvas):
    """An opaque white rim around everything drawn, so the cursor shows on any color."""
    drawn = [[p[3] > 0 for p in row] for row in canvas.pixels]
    for y in range(canvas.height):
        for x in range(canvas.width):
            if drawn[y][x]:
                continue
            near = any(drawn[j][i] for j in range(max(0, y - 1), min(canvas.height, y + 2))
                       for i in range(max(0, x - 1), min(canvas.width, x + 2)))
            if near:
                canvas.pixels[y][x] = WHITE
    return canvas


def dropper_cursor():
    canvas = Canvas(32, 32)
    canvas.paint(segment(2, 29, 12, 19, 2.0), BLACK)       # the glass tube's tip
    canvas.paint(segment(11, 20, 20, 11, 4.0), BLACK)      # the tube
    canvas.paint(segment(19, 12, 25, 6, 7.0), BLACK)       # the bulb
    canvas.paint(segment(15, 11, 21, 17, 2.0), BLACK)      # the collar
    return halo(canvas), (2, 29)


def point_cursor():
    canvas = Canvas(32, 32)
    cross = union(segment(15.5, 2, 15.5, 12, 1.2), segment(15.5, 19, 15.5, 29, 1.2),
                  segment(2, 15.5, 12, 15.5, 1.2), segment(19, 15.5, 29, 15.5, 1.2),
                  ring(15.5, 15.5, 5, 1.2))
    canvas.paint(cross, BLACK)
    return halo(canvas), (15, 15)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "palette_strip.bmp": bmp_bytes(palette_strip()),
        "preview_back.bmp": bmp_bytes(preview_back()),
        "swap.png": png_bytes(swap_button()),
    }
    for name, (canvas, hot) in (("palette_pick.cur", dropper_cursor()),
                                ("preview_point.cur", point_cursor())):
        files[name] = cur_bytes(canvas, *hot)
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
